#pragma once

#include <QComboBox>
#include <functional>

#include "platform/controls/ListControl.h"
#include "platform/qt/QtControlBinding.h"

namespace vendaro {

// Keeps an editable QComboBox and a combo-box model in step in both
// directions (entries, chosen entry, edit text) and forwards the user's keys
// and choices. The binding is a child of the box; the list must outlive it.
class QtComboBoxBinding : public QtControlBinding {
  Q_OBJECT

 public:
  static constexpr int kEnterKeyAscii = 13;
  static constexpr int kDeleteKeyCode = 46;

  QtComboBoxBinding(ListControl& list, QComboBox& box);

  // Enter in the edit field (key character 13); Qt's own handling is skipped.
  std::function<void(int keyAscii)> onKeyPress;
  // The Delete key (key code 46), before the edit field handles it.
  std::function<void(int keyCode)> onKeyDown;
  // An entry chosen from the drop-down list, after the list's index is set.
  std::function<void()> onClick;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void show() override;
  void takeEditText(const QString& text);
  void takeChoice(int index);

  ListControl& list_;
  QComboBox& box_;
  bool showing_ = false;
  int shownListIndex_ = -1;
};

}  // namespace vendaro
