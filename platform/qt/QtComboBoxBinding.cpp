#include "platform/qt/QtComboBoxBinding.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QStringList>

namespace vendaro {
namespace {

QStringList entries(const ListControl& list) {
  QStringList result;
  result.reserve(list.ListCount());
  for (const auto& item : list.items()) result << QString::fromStdString(item);
  return result;
}

QStringList entries(const QComboBox& box) {
  QStringList result;
  result.reserve(box.count());
  for (int i = 0; i < box.count(); ++i) result << box.itemText(i);
  return result;
}

}  // namespace

QtComboBoxBinding::QtComboBoxBinding(ListControl& list, QComboBox& box)
    : QtControlBinding(list, box), list_(list), box_(box) {
  box_.setEditable(true);
  // The model decides what enters the list; Qt neither adds nor completes.
  box_.setInsertPolicy(QComboBox::NoInsert);
  box_.setCompleter(nullptr);
  // Qt chooses the entry equal to the edit text when the edit field loses
  // focus and reports it as a choice; here only the user chooses entries.
  disconnect(box_.lineEdit(), &QLineEdit::editingFinished, &box_, nullptr);
  box_.installEventFilter(this);
  box_.lineEdit()->installEventFilter(this);
  connect(&box_, &QComboBox::editTextChanged, this, &QtComboBoxBinding::takeEditText);
  connect(&box_, &QComboBox::activated, this, &QtComboBoxBinding::takeChoice);
  watch();
}

void QtComboBoxBinding::show() {
  showing_ = true;
  const QSignalBlocker blocker(&box_);
  const QStringList wanted = entries(list_);
  const bool entriesChanged = entries(box_) != wanted;
  if (entriesChanged) {
    box_.clear();
    box_.addItems(wanted);
  }
  // The box's own index is left alone unless the model chose another entry:
  // while the user picks an entry, the box moves first and the model follows.
  if (entriesChanged || list_.ListIndex() != shownListIndex_) {
    if (box_.currentIndex() != list_.ListIndex()) box_.setCurrentIndex(list_.ListIndex());
    shownListIndex_ = list_.ListIndex();
  }
  const QString text = QString::fromStdString(list_.Text());
  if (box_.currentText() != text) box_.setEditText(text);
  showing_ = false;
}

void QtComboBoxBinding::takeEditText(const QString& text) {
  if (!showing_) list_.setText(text.toStdString());
}

void QtComboBoxBinding::takeChoice(int index) {
  if (index < 0 || index >= list_.ListCount()) return;
  list_.setListIndex(index);
  raise(onClick);
}

bool QtComboBoxBinding::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
  const int key = static_cast<QKeyEvent*>(event)->key();
  if ((key == Qt::Key_Return || key == Qt::Key_Enter) && onKeyPress) {
    raise([this] { onKeyPress(kEnterKeyAscii); });
    return true;
  }
  if (key == Qt::Key_Delete && onKeyDown) raise([this] { onKeyDown(kDeleteKeyCode); });
  return QObject::eventFilter(watched, event);
}

}  // namespace vendaro
