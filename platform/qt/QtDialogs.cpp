#include "platform/qt/QtDialogs.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QStringList>

#include "platform/SaveFileName.h"

namespace vendaro {
namespace {

QString titleOrDefault(const std::string& title) {
  return QString::fromStdString(title.empty() ? QtDialogs::kDefaultTitle : title);
}

QMessageBox::StandardButtons standardButtons(MessageButtons buttons) {
  switch (buttons) {
    case MessageButtons::Ok:
      return QMessageBox::Ok;
    case MessageButtons::OkCancel:
      return QMessageBox::Ok | QMessageBox::Cancel;
    case MessageButtons::YesNo:
      return QMessageBox::Yes | QMessageBox::No;
    case MessageButtons::YesNoCancel:
      return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
  }
  return QMessageBox::Ok;
}

QMessageBox::Icon standardIcon(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::None:
      return QMessageBox::NoIcon;
    case MessageIcon::Information:
      return QMessageBox::Information;
    case MessageIcon::Exclamation:
      return QMessageBox::Warning;
    case MessageIcon::Critical:
      return QMessageBox::Critical;
    case MessageIcon::Question:
      return QMessageBox::Question;
  }
  return QMessageBox::NoIcon;
}

// Closing the box without a button counts as the safe answer.
MessageResult resultOf(int button, MessageButtons buttons) {
  switch (button) {
    case QMessageBox::Ok:
      return MessageResult::Ok;
    case QMessageBox::Yes:
      return MessageResult::Yes;
    case QMessageBox::No:
      return MessageResult::No;
    case QMessageBox::Cancel:
      return MessageResult::Cancel;
    default:
      if (buttons == MessageButtons::Ok) return MessageResult::Ok;
      return buttons == MessageButtons::YesNo ? MessageResult::No : MessageResult::Cancel;
  }
}

std::optional<std::string> chosenPath(const QString& path) {
  if (path.isEmpty()) return std::nullopt;
  return path.toStdString();
}

}  // namespace

QString qtFileFilter(const std::string& filter) {
  const QStringList parts = QString::fromStdString(filter).split(QLatin1Char('|'));
  QStringList entries;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QStringList patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (QString& pattern : patterns) pattern = pattern.trimmed();
    if (patterns.isEmpty()) continue;
    entries << parts[i].trimmed() + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) +
                   QLatin1Char(')');
  }
  return entries.join(QStringLiteral(";;"));
}

MessageResult QtDialogs::MsgBox(const std::string& text, MessageButtons buttons, MessageIcon icon,
                                const std::string& title) {
  QMessageBox box(standardIcon(icon), titleOrDefault(title), QString::fromStdString(text),
                  standardButtons(buttons), parent_);
  return resultOf(box.exec(), buttons);
}

std::optional<std::string> QtDialogs::InputBox(const std::string& prompt, const std::string& title,
                                               const std::string& defaultText) {
  return askText(prompt, title, defaultText, QLineEdit::Normal);
}

std::optional<std::string> QtDialogs::PasswordBox(const std::string& prompt,
                                                  const std::string& title) {
  return askText(prompt, title, {}, QLineEdit::Password);
}

std::optional<std::string> QtDialogs::askText(const std::string& prompt, const std::string& title,
                                              const std::string& defaultText, int echoMode) {
  bool accepted = false;
  const QString text = QInputDialog::getText(
      parent_, titleOrDefault(title), QString::fromStdString(prompt),
      static_cast<QLineEdit::EchoMode>(echoMode), QString::fromStdString(defaultText), &accepted);
  if (!accepted) return std::nullopt;
  return text.toStdString();
}

std::optional<std::string> QtDialogs::ShowOpen(const std::string& title, const std::string& filter,
                                               const std::string& initialFolder) {
  return chosenPath(QFileDialog::getOpenFileName(
      parent_, titleOrDefault(title), QString::fromStdString(initialFolder), qtFileFilter(filter)));
}

std::optional<std::string> QtDialogs::ShowSave(const std::string& title, const std::string& filter,
                                               const std::string& defaultName) {
  QString chosenFilter;
  const QString path =
      QFileDialog::getSaveFileName(parent_, titleOrDefault(title), QString::fromStdString(defaultName),
                                   qtFileFilter(filter), &chosenFilter);
  if (path.isEmpty()) return std::nullopt;
  // "HTML file (*.htm *.html)": a name typed without extension gets ".htm".
  const qsizetype open = chosenFilter.lastIndexOf(QLatin1Char('('));
  QString patterns = open < 0 ? QString() : chosenFilter.mid(open + 1);
  patterns.chop(1);
  return withFilterExtension(path.toStdString(),
                             patterns.section(QLatin1Char(' '), 0, 0).toStdString());
}

std::optional<int> QtDialogs::ShowColor(int initialColor) {
  // Colour values keep red in the low byte, then green, then blue.
  const QColor initial(initialColor & 0xFF, (initialColor >> 8) & 0xFF,
                       (initialColor >> 16) & 0xFF);
  const QColor chosen = QColorDialog::getColor(initial, parent_);
  if (!chosen.isValid()) return std::nullopt;
  return chosen.red() | (chosen.green() << 8) | (chosen.blue() << 16);
}

void QtDialogs::Beep() {
  QApplication::beep();
}

}  // namespace vendaro
