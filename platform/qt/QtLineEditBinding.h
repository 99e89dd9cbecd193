#pragma once

#include <QLineEdit>
#include <functional>

#include "platform/controls/TextBox.h"
#include "platform/qt/QtControlBinding.h"

namespace vendaro {

// Keeps a one-line QLineEdit and a text box model in step in both directions:
// the model's text, state and lock are drawn, and what the user types is
// stored in the model. The binding is a child of the edit; the box must
// outlive it.
class QtLineEditBinding : public QtControlBinding {
  Q_OBJECT

 public:
  QtLineEditBinding(TextBox& box, QLineEdit& edit);

  // Raised after the user changed the text (the model holds the new text).
  std::function<void()> onChange;

 private:
  void show() override;
  void takeText(const QString& text);

  TextBox& box_;
  QLineEdit& edit_;
};

}  // namespace vendaro
