#include "platform/controls/MenuItem.h"

#include <algorithm>

namespace vendaro {

void MenuItem::setCaption(const std::string& caption) {
  if (caption_ == caption) return;
  caption_ = caption;
  notifyChanged();
}

void MenuItem::setChecked(bool checked) {
  if (checked_ == checked) return;
  checked_ = checked;
  notifyChanged();
}

MenuItem& MenuItem::addChild(const std::string& name, const std::string& caption) {
  children_.push_back(std::make_unique<MenuItem>(name, caption));
  notifyChanged();
  return *children_.back();
}

MenuItem& MenuItem::insertChild(int index, const std::string& name, const std::string& caption) {
  const auto at = children_.begin() + std::clamp(index, 0, childCount());
  MenuItem& inserted = **children_.insert(at, std::make_unique<MenuItem>(name, caption));
  notifyChanged();
  return inserted;
}

void MenuItem::truncateChildren(int keep) {
  if (keep < 0) keep = 0;
  if (static_cast<int>(children_.size()) <= keep) return;
  children_.resize(static_cast<std::size_t>(keep));
  notifyChanged();
}

}  // namespace vendaro
