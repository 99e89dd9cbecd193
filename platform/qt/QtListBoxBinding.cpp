#include "platform/qt/QtListBoxBinding.h"

#include <QSignalBlocker>

#include "platform/qt/QtControlState.h"

namespace vendaro {
namespace {

bool sameEntries(const ListControl& list, const QListWidget& widget) {
  if (widget.count() != list.ListCount()) return false;
  for (int i = 0; i < widget.count(); ++i) {
    if (widget.item(i)->text() != QString::fromStdString(list.List(i))) return false;
  }
  return true;
}

}  // namespace

QtListBoxBinding::QtListBoxBinding(ListControl& list, QListWidget& widget)
    : QtControlBinding(list, widget), list_(list), widget_(widget) {
  connect(&widget_, &QListWidget::currentRowChanged, this, &QtListBoxBinding::takeRow);
  connect(&widget_, &QListWidget::clicked, this, &QtListBoxBinding::takeClick);
  connect(&widget_, &QListWidget::doubleClicked, this, &QtListBoxBinding::takeDoubleClick);
  watch();
}

void QtListBoxBinding::show() {
  const QSignalBlocker blocker(&widget_);
  if (!sameEntries(list_, widget_)) {
    widget_.clear();
    for (const std::string& entry : list_.items()) widget_.addItem(QString::fromStdString(entry));
  }
  if (widget_.currentRow() != list_.ListIndex()) widget_.setCurrentRow(list_.ListIndex());
  showControlState(list_, widget_);
}

void QtListBoxBinding::takeRow(int row) {
  if (row >= -1 && row < list_.ListCount()) list_.setListIndex(row);
}

void QtListBoxBinding::takeClick(const QModelIndex& index) {
  if (!index.isValid()) return;
  takeRow(index.row());
  raise(onClick);
}

void QtListBoxBinding::takeDoubleClick(const QModelIndex& index) {
  if (!index.isValid()) return;
  takeRow(index.row());
  raise(onDblClick);
}

}  // namespace vendaro
