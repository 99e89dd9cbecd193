#include "platform/qt/QtLineEditBinding.h"

#include <QSignalBlocker>

#include "platform/qt/QtControlState.h"

namespace vendaro {

QtLineEditBinding::QtLineEditBinding(TextBox& box, QLineEdit& edit)
    : QtControlBinding(box, edit), box_(box), edit_(edit) {
  // textEdited comes from the user only, never from setText.
  connect(&edit_, &QLineEdit::textEdited, this, &QtLineEditBinding::takeText);
  watch();
}

void QtLineEditBinding::show() {
  const QString text = QString::fromStdString(box_.Text());
  if (edit_.text() != text) {
    const QSignalBlocker blocker(&edit_);
    edit_.setText(text);
  }
  edit_.setReadOnly(box_.Locked());
  showControlState(box_, edit_);
}

void QtLineEditBinding::takeText(const QString& text) {
  box_.setText(text.toStdString());
  raise(onChange);
}

}  // namespace vendaro
