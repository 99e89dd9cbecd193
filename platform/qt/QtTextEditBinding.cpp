#include "platform/qt/QtTextEditBinding.h"

#include <QScrollBar>

#include "platform/qt/QtControlState.h"

namespace vendaro {

QString QtTextEditBinding::shownText(const std::string& modelText) {
  QString text = QString::fromStdString(modelText);
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return text;
}

std::string QtTextEditBinding::modelText(const QString& shownText) {
  QString text = shownText;
  text.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
  return text.toStdString();
}

QtTextEditBinding::QtTextEditBinding(TextBox& box, QPlainTextEdit& edit)
    : QObject(&edit), box_(box), edit_(edit) {
  connect(&edit_, &QPlainTextEdit::textChanged, this, &QtTextEditBinding::takeText);
  listener_ = box_.addListener([this] { show(); });
  show();
}

QtTextEditBinding::~QtTextEditBinding() {
  box_.removeListener(listener_);
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
  if (onChange) onChange();
}

}  // namespace vendaro
