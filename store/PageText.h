#pragma once

#include <string>
#include <string_view>
#include <utility>

namespace vendaro {

// A page text built line by line: every line is followed by CR LF unless it
// is appended with `text`, which adds no line break.
class PageText {
 public:
  PageText& line(std::string_view text = {});
  PageText& text(std::string_view text);
  // `value` as the inside of a double-quoted script string (scriptStringText).
  PageText& scriptString(std::string_view value);
  // Makes room for `size` more characters, for pages of known large size.
  void reserveMore(std::size_t size) { text_.reserve(text_.size() + size); }
  const std::string& str() const& { return text_; }
  // The finished text, moved out: a page of megabytes is not copied.
  std::string str() && { return std::move(text_); }

 private:
  std::string text_;
};

}  // namespace vendaro
