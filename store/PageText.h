#pragma once

#include <string>
#include <string_view>

namespace vendaro {

// A page text built line by line: every line is followed by CR LF unless it
// is appended with `text`, which adds no line break.
class PageText {
 public:
  PageText& line(std::string_view text = {});
  PageText& text(std::string_view text);
  const std::string& str() const { return text_; }

 private:
  std::string text_;
};

}  // namespace vendaro
