#include "app/LinkStepping.h"

#include "common/TextSearch.h"

namespace vendaro {

std::string LinkStepping::linkText(const std::string& row) {
  const std::size_t open = positionOf(row, ">");
  if (open == 0) return {};
  const std::size_t close = positionOf(row, "<", open + 2);
  if (close == 0) return std::string(middle(row, open + 1));
  return std::string(middle(row, open + 1, close - open - 1));
}

void LinkStepping::open(int index) {
  navigation_.navigateVisible(list7_.List(index));
}

// A report row that is not there gives no text, rather than an error.
std::string LinkStepping::rowText(int index) const {
  return index < list3_.ListCount() ? linkText(list3_.List(index)) : std::string();
}

void LinkStepping::previousLink() {
  if (list7_.ListCount() == 0) return;
  if (linkIndex_ <= 0) {
    open(0);
    statusBar_.setPanelText(1, "Page # Start");
    return;
  }
  --linkIndex_;
  open(linkIndex_);
  statusBar_.setPanelText(1, rowText(linkIndex_) + " <-- ");
}

void LinkStepping::nextLink() {
  if (list7_.ListCount() == 0) return;
  const int last = list7_.ListCount() - 1;
  if (linkIndex_ >= last) {
    // A list that shrank under the index ends at its last entry.
    linkIndex_ = last;
    open(last);
    statusBar_.setPanelText(1, "Page # End");
    return;
  }
  ++linkIndex_;
  open(linkIndex_);
  statusBar_.setPanelText(1, "--> " + rowText(linkIndex_));
}

void LinkStepping::clearLinks() {
  list7_.Clear();
  linkIndex_ = 0;
  statusBar_.setPanelText(2, "List is clear");
}

}  // namespace vendaro
