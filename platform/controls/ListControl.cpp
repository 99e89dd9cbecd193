#include "platform/controls/ListControl.h"

#include <iterator>
#include <stdexcept>
#include <utility>

namespace vendaro {

void ListControl::checkIndex(int index, int limit) const {
  if (index < 0 || index >= limit) throw std::out_of_range("Invalid property array index");
}

void ListControl::setListIndex(int index) {
  if (index != -1) checkIndex(index, ListCount());
  if (listIndex_ == index) return;
  listIndex_ = index;
  // A combo box shows the chosen entry in its edit field.
  if (index >= 0) text_ = items_[static_cast<std::size_t>(index)];
  notifyChanged();
}

std::string ListControl::List(int index) const {
  if (index < 0 || index >= ListCount()) return {};
  return items_[static_cast<std::size_t>(index)];
}

void ListControl::setList(int index, const std::string& text) {
  checkIndex(index, ListCount());
  items_[static_cast<std::size_t>(index)] = text;
  notifyChanged();
}

void ListControl::AddItem(const std::string& text) {
  AddItem(text, ListCount());
}

void ListControl::AddItem(const std::string& text, int index) {
  checkIndex(index, ListCount() + 1);
  items_.insert(items_.begin() + index, text);
  selected_.insert(selected_.begin() + index, false);
  if (listIndex_ >= index) ++listIndex_;
  notifyChanged();
}

void ListControl::AddItems(std::vector<std::string> texts) {
  if (texts.empty()) return;
  if (items_.empty()) {
    items_ = std::move(texts);
  } else {
    items_.insert(items_.end(), std::make_move_iterator(texts.begin()),
                  std::make_move_iterator(texts.end()));
  }
  selected_.resize(items_.size(), false);
  notifyChanged();
}

void ListControl::RemoveItem(int index) {
  checkIndex(index, ListCount());
  items_.erase(items_.begin() + index);
  selected_.erase(selected_.begin() + index);
  if (listIndex_ == index) {
    listIndex_ = -1;
  } else if (listIndex_ > index) {
    --listIndex_;
  }
  notifyChanged();
}

void ListControl::Clear() {
  items_.clear();
  selected_.clear();
  listIndex_ = -1;
  notifyChanged();
}

void ListControl::setText(const std::string& text) {
  if (text_ == text) return;
  text_ = text;
  notifyChanged();
}

bool ListControl::Selected(int index) const {
  if (index < 0 || index >= ListCount()) return false;
  return selected_[static_cast<std::size_t>(index)];
}

void ListControl::setSelected(int index, bool selected) {
  checkIndex(index, ListCount());
  selected_[static_cast<std::size_t>(index)] = selected;
  notifyChanged();
}

}  // namespace vendaro
