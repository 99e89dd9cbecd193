#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/controls/Control.h"

namespace vendaro {

// A menu entry with a designer name and caption. Entries added at run time to
// a popup menu are kept as children of that menu.
class MenuItem : public Control {
 public:
  MenuItem(std::string name, std::string caption)
      : name_(std::move(name)), caption_(std::move(caption)) {}

  const std::string& name() const { return name_; }
  const std::string& Caption() const { return caption_; }
  void setCaption(const std::string& caption);
  bool Checked() const { return checked_; }
  void setChecked(bool checked);

  int childCount() const { return static_cast<int>(children_.size()); }
  MenuItem& child(int index) { return *children_.at(static_cast<std::size_t>(index)); }
  const MenuItem& child(int index) const { return *children_.at(static_cast<std::size_t>(index)); }
  MenuItem& addChild(const std::string& name, const std::string& caption);
  // Puts a child before the one at `index` (at the end when `index` is the count).
  MenuItem& insertChild(int index, const std::string& name, const std::string& caption);
  // Removes every child after the first `keep` ones.
  void truncateChildren(int keep);

 private:
  std::string name_;
  std::string caption_;
  bool checked_ = false;
  std::vector<std::unique_ptr<MenuItem>> children_;
};

}  // namespace vendaro
