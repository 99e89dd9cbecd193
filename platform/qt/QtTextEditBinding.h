#pragma once

#include <QObject>
#include <QPlainTextEdit>
#include <functional>

#include "platform/TextBox.h"

namespace vendaro {

// Keeps a multi-line QPlainTextEdit and a text box model in step in both
// directions. The model keeps CR LF line ends; the edit shows plain line
// breaks. A text appended by the model (a running log) stays in view. The
// binding is a child of the edit; the box must outlive it.
class QtTextEditBinding : public QObject {
  Q_OBJECT

 public:
  QtTextEditBinding(TextBox& box, QPlainTextEdit& edit);
  ~QtTextEditBinding() override;

  // Raised after the user changed the text (the model holds the new text).
  std::function<void()> onChange;

  // The model's text as the edit shows it, and the edit's text as the model keeps it.
  static QString shownText(const std::string& modelText);
  static std::string modelText(const QString& shownText);

 private:
  void show();
  void takeText();

  TextBox& box_;
  QPlainTextEdit& edit_;
  Control::ListenerId listener_;
  bool showing_ = false;
};

}  // namespace vendaro
