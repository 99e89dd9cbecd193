#include "common/TextSearch.h"

#include "platform/Text.h"

namespace vendaro {
namespace {

constexpr char folded(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// The first `find` in `text` from `from` on, ASCII letter case ignored. The
// scan looks for the first character in either case and compares the rest
// only there: the order intake runs it over every mail for every field.
std::size_t foldedSearch(std::string_view text, std::string_view find, std::size_t from) {
  if (find.size() > text.size()) return std::string_view::npos;
  const char lower = folded(find[0]);
  const char upper = text::upperAscii(lower);
  const std::size_t last = text.size() - find.size();
  for (std::size_t at = from; at <= last; ++at) {
    if (text[at] != lower && text[at] != upper) continue;
    std::size_t matched = 1;
    while (matched < find.size() && folded(text[at + matched]) == folded(find[matched])) ++matched;
    if (matched == find.size()) return at;
  }
  return std::string_view::npos;
}

}  // namespace

std::size_t positionOf(std::string_view text, std::string_view find, std::size_t start,
                       LetterCase letterCase) {
  if (start < 1) start = 1;
  if (start > text.size() + 1) return 0;
  const std::size_t from = start - 1;
  if (find.empty()) return start;
  const std::size_t hit =
      letterCase == LetterCase::Exact ? text.find(find, from) : foldedSearch(text, find, from);
  return hit == std::string_view::npos ? 0 : hit + 1;
}

std::string_view middle(std::string_view text, std::size_t start, std::size_t count) {
  if (start < 1 || start > text.size()) return {};
  return text.substr(start - 1, count);
}

std::string_view middle(std::string_view text, std::size_t start) {
  return middle(text, start, std::string_view::npos);
}

}  // namespace vendaro
