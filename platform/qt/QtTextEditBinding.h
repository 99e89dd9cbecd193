#pragma once

#include <QPlainTextEdit>
#include <functional>

#include "platform/controls/TextBox.h"
#include "platform/qt/QtControlBinding.h"

namespace vendaro {

// Keeps a multi-line QPlainTextEdit and a text box model in step in both
// directions. The model keeps CR LF line ends; the edit shows plain line
// breaks. A text appended by the model (a running log) stays in view. The
// binding is a child of the edit; the box must outlive it.
class QtTextEditBinding : public QtControlBinding {
  Q_OBJECT

 public:
  QtTextEditBinding(TextBox& box, QPlainTextEdit& edit);

  // Raised after the user changed the text (the model holds the new text).
  std::function<void()> onChange;

  // The model's text as the edit shows it, and the edit's text as the model keeps it.
  static QString shownText(const std::string& modelText);
  static std::string modelText(const QString& shownText);

 private:
  void show() override;
  void takeText();

  TextBox& box_;
  QPlainTextEdit& edit_;
  bool showing_ = false;
};

}  // namespace vendaro
