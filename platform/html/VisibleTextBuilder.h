#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vendaro {

// Builds the visible text of a whole page as one line, with white space
// (U+00A0 included) collapsed to single blanks as it is appended. The text of
// any element is then the trimmed slice between the positions taken when the
// element opened and when it closed; that equals collapsing the element's own
// text, and costs one pass over the page.
class VisibleTextBuilder {
 public:
  void appendText(std::string_view text);
  // A separation that reads as a blank: block boundaries, <br>, table cells.
  void appendBreak() { pendingBlank_ = true; }

  std::size_t position() const { return text_.size(); }
  // The text between two positions, without blanks at either end.
  std::string slice(std::size_t begin, std::size_t end) const;

 private:
  void appendVisible(char c);

  std::string text_;
  bool pendingBlank_ = false;
};

}  // namespace vendaro
