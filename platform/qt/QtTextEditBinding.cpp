#include "platform/qt/QtTextEditBinding.h"

#include <QScrollBar>

#include "platform/Text.h"
#include "platform/qt/QtControlState.h"

namespace vendaro {

QString QtTextEditBinding::shownText(const std::string& modelText) {
  return QString::fromStdString(text::withLf(modelText));
}

std::string QtTextEditBinding::modelText(const QString& shownText) {
  return text::withCrLf(shownText.toStdString());
}

QtTextEditBinding::QtTextEditBinding(TextBox& box, QPlainTextEdit& edit)
    : QtControlBinding(box, edit), box_(box), edit_(edit) {
  connect(&edit_, &QPlainTextEdit::textChanged, this, &QtTextEditBinding::takeText);
  watch();
}

void QtTextEditBinding::show() {
  const QString text = shownText(box_.Text());
  if (edit_.toPlainText() != text) {
    showing_ = true;
    const bool appended = text.startsWith(edit_.toPlainText());
    edit_.setPlainText(text);
    if (appended) edit_.verticalScrollBar()->setValue(edit_.verticalScrollBar()->maximum());
    showing_ = false;
  }
  edit_.setReadOnly(box_.Locked());
  showControlState(box_, edit_);
}

void QtTextEditBinding::takeText() {
  if (showing_) return;
  const std::string text = modelText(edit_.toPlainText());
  // A model text with lone line feeds stays as it is until the user edits it.
  if (shownText(box_.Text()) == edit_.toPlainText()) return;
  box_.setText(text);
  raise(onChange);
}

}  // namespace vendaro
