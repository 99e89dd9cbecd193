#include "common/TextSearch.h"

#include <algorithm>

#include "platform/Text.h"

namespace vendaro {
namespace {

bool equalFolded(char a, char b) {
  return text::lowerAscii(a) == text::lowerAscii(b);
}

}  // namespace

std::size_t positionOf(std::string_view text, std::string_view find, std::size_t start,
                       LetterCase letterCase) {
  if (start < 1) start = 1;
  if (start > text.size() + 1) return 0;
  const std::size_t from = start - 1;
  if (find.empty()) return start;
  auto first = text.begin() + static_cast<std::ptrdiff_t>(from);
  auto hit = letterCase == LetterCase::Exact
                 ? std::search(first, text.end(), find.begin(), find.end())
                 : std::search(first, text.end(), find.begin(), find.end(), equalFolded);
  if (hit == text.end()) return 0;
  return static_cast<std::size_t>(hit - text.begin()) + 1;
}

std::string_view middle(std::string_view text, std::size_t start, std::size_t count) {
  if (start < 1 || start > text.size()) return {};
  return text.substr(start - 1, count);
}

std::string_view middle(std::string_view text, std::size_t start) {
  return middle(text, start, std::string_view::npos);
}

}  // namespace vendaro
