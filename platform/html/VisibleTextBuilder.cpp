#include "platform/html/VisibleTextBuilder.h"

namespace vendaro {
namespace {

bool isAsciiWhiteSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

// U+00A0 (no-break space) in UTF-8.
bool startsWithNoBreakSpace(std::string_view text) {
  return text.size() >= 2 && text[0] == '\xC2' && text[1] == '\xA0';
}

}  // namespace

void VisibleTextBuilder::appendText(std::string_view text) {
  while (!text.empty()) {
    if (isAsciiWhiteSpace(text.front())) {
      pendingBlank_ = true;
      text.remove_prefix(1);
    } else if (startsWithNoBreakSpace(text)) {
      pendingBlank_ = true;
      text.remove_prefix(2);
    } else {
      appendVisible(text.front());
      text.remove_prefix(1);
    }
  }
}

void VisibleTextBuilder::appendVisible(char c) {
  if (pendingBlank_ && !text_.empty()) text_ += ' ';
  pendingBlank_ = false;
  text_ += c;
}

std::string VisibleTextBuilder::slice(std::size_t begin, std::size_t end) const {
  if (end > text_.size()) end = text_.size();
  if (begin < end && text_[begin] == ' ') ++begin;
  if (begin < end && text_[end - 1] == ' ') --end;
  if (begin >= end) return {};
  return text_.substr(begin, end - begin);
}

}  // namespace vendaro
