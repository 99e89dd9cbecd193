#pragma once

#include <string>
#include <vector>

#include "platform/controls/Control.h"

namespace vendaro {

// A list box or combo box: an ordered list of strings indexed from 0, a
// selected index (-1 for none) and, for a combo box, the text of its edit field.
class ListControl : public Control {
 public:
  int ListCount() const { return static_cast<int>(items_.size()); }
  int ListIndex() const { return listIndex_; }
  // Selects entry `index`; -1 clears the selection. Out-of-range values throw
  // std::out_of_range, as the list control reports an invalid property value.
  void setListIndex(int index);

  // Entry text; an index outside the list gives an empty text.
  std::string List(int index) const;
  void setList(int index, const std::string& text);

  void AddItem(const std::string& text);
  // Inserts at `index` (0..ListCount); other indexes throw std::out_of_range.
  void AddItem(const std::string& text, int index);
  // Appends every text in order, telling listeners once.
  void AddItems(std::vector<std::string> texts);
  // Removes entry `index`; an index outside the list throws std::out_of_range.
  void RemoveItem(int index);
  void Clear();

  const std::string& Text() const { return text_; }
  void setText(const std::string& text);

  // Multi-select lists keep one flag per entry.
  bool Selected(int index) const;
  void setSelected(int index, bool selected);

  const std::vector<std::string>& items() const { return items_; }

 private:
  void checkIndex(int index, int limit) const;

  std::vector<std::string> items_;
  std::vector<bool> selected_;
  int listIndex_ = -1;
  std::string text_;
};

}  // namespace vendaro
