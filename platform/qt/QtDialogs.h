#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

#include "platform/Dialogs.h"

namespace vendaro {

// The file-type filter "Description|*.ext|Description|*.a;*.b" in Qt's form
// "Description (*.ext);;Description (*.a *.b)". A description without a
// pattern is dropped.
QString qtFileFilter(const std::string& filter);

// Modal Qt dialogs, centred on the parent window when one is set.
class QtDialogs : public Dialogs {
 public:
  static constexpr const char* kDefaultTitle = "Vendaro";

  void setParentWindow(QWidget* parent) { parent_ = parent; }

  MessageResult MsgBox(const std::string& text, MessageButtons buttons = MessageButtons::Ok,
                       MessageIcon icon = MessageIcon::None,
                       const std::string& title = {}) override;
  std::optional<std::string> InputBox(const std::string& prompt, const std::string& title = {},
                                      const std::string& defaultText = {}) override;
  std::optional<std::string> PasswordBox(const std::string& prompt,
                                         const std::string& title = {}) override;
  std::optional<std::string> ShowOpen(const std::string& title, const std::string& filter,
                                      const std::string& initialFolder = {}) override;
  std::optional<std::string> ShowSave(const std::string& title, const std::string& filter,
                                      const std::string& defaultName = {}) override;
  std::optional<int> ShowColor(int initialColor = 0) override;
  void Beep() override;

 private:
  // `echoMode` is a QLineEdit::EchoMode.
  std::optional<std::string> askText(const std::string& prompt, const std::string& title,
                                     const std::string& defaultText, int echoMode);

  QPointer<QWidget> parent_;
};

}  // namespace vendaro
