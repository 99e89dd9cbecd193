#include "platform/qt/QtListBoxBinding.h"

#include <QSignalBlocker>

#include "platform/qt/QtControlState.h"

namespace vendaro {

QtListBoxBinding::QtListBoxBinding(ListControl& list, QListWidget& widget)
    : QtControlBinding(list, widget), list_(list), widget_(widget) {
  connect(&widget_, &QListWidget::currentRowChanged, this, &QtListBoxBinding::takeRow);
  connect(&widget_, &QListWidget::clicked, this, &QtListBoxBinding::takeClick);
  connect(&widget_, &QListWidget::doubleClicked, this, &QtListBoxBinding::takeDoubleClick);
  watch();
}

void QtListBoxBinding::show() {
  const QSignalBlocker blocker(&widget_);
  showEntries();
  if (widget_.currentRow() != list_.ListIndex()) widget_.setCurrentRow(list_.ListIndex());
  showControlState(list_, widget_);
}

void QtListBoxBinding::showEntries() {
  const std::vector<std::string>& entries = list_.items();
  if (static_cast<std::size_t>(widget_.count()) != shown_.size()) {
    widget_.clear();  // changed behind the binding's back: drawn afresh
    shown_.clear();
  }
  std::size_t start = 0;
  while (start < shown_.size() && start < entries.size() && shown_[start] == entries[start]) {
    ++start;
  }
  std::size_t shownEnd = shown_.size();
  std::size_t entriesEnd = entries.size();
  while (shownEnd > start && entriesEnd > start &&
         shown_[shownEnd - 1] == entries[entriesEnd - 1]) {
    --shownEnd;
    --entriesEnd;
  }
  for (std::size_t row = shownEnd; row > start; --row) {
    delete widget_.takeItem(static_cast<int>(row - 1));
  }
  for (std::size_t i = start; i < entriesEnd; ++i) {
    widget_.insertItem(static_cast<int>(i), QString::fromStdString(entries[i]));
  }
  const auto at = [](auto& list, std::size_t index) {
    return list.begin() + static_cast<std::ptrdiff_t>(index);
  };
  shown_.erase(at(shown_, start), at(shown_, shownEnd));
  shown_.insert(at(shown_, start), at(entries, start), at(entries, entriesEnd));
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
