#include "platform/curl/ImapReply.h"

#include <charconv>

#include "platform/Text.h"

namespace vendaro::imapreply {
namespace {

std::string_view wordAt(std::string_view line, std::size_t& at) {
  while (at < line.size() && line[at] == ' ') ++at;
  const std::size_t start = at;
  while (at < line.size() && line[at] != ' ') ++at;
  return line.substr(start, at - start);
}

template <typename Number>
std::optional<Number> numberAt(std::string_view text) {
  Number value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end == text.data()) return std::nullopt;
  return value;
}

bool sameWord(std::string_view a, std::string_view b) {
  return text::equalsIgnoringCase(a, b);
}

}  // namespace

std::string taggedStatus(std::string_view line, std::string_view tag) {
  std::size_t at = 0;
  if (wordAt(line, at) != tag) return {};
  return text::upperAscii(wordAt(line, at));
}

std::string statusText(std::string_view line) {
  std::size_t at = 0;
  wordAt(line, at);
  wordAt(line, at);
  while (at < line.size() && line[at] == ' ') ++at;
  return std::string(line.substr(at));
}

std::optional<std::uint32_t> untaggedCount(std::string_view line, std::string_view word) {
  std::size_t at = 0;
  if (wordAt(line, at) != "*") return std::nullopt;
  const auto count = numberAt<std::uint32_t>(wordAt(line, at));
  if (!count || !sameWord(wordAt(line, at), word)) return std::nullopt;
  return count;
}

std::optional<std::uint32_t> responseCodeNumber(std::string_view line, std::string_view code) {
  const std::size_t open = line.find('[');
  if (line.rfind("* ", 0) != 0 || open == std::string_view::npos) return std::nullopt;
  std::size_t at = open + 1;
  if (!sameWord(wordAt(line, at), code)) return std::nullopt;
  std::string_view number = wordAt(line, at);
  if (!number.empty() && number.back() == ']') number.remove_suffix(1);
  return numberAt<std::uint32_t>(number);
}

bool listsCapability(std::string_view line, std::string_view name) {
  const std::size_t start = text::upperAscii(line).find("CAPABILITY ");
  if (start == std::string_view::npos) return false;
  std::size_t at = start + 11;
  for (std::string_view word = wordAt(line, at); !word.empty(); word = wordAt(line, at)) {
    if (word.back() == ']') word.remove_suffix(1);
    if (sameWord(word, name)) return true;
  }
  return false;
}

bool isBye(std::string_view line) {
  std::size_t at = 0;
  return wordAt(line, at) == "*" && sameWord(wordAt(line, at), "BYE");
}

std::optional<std::size_t> literalSize(std::string_view line) {
  if (line.empty() || line.back() != '}') return std::nullopt;
  const std::size_t open = line.rfind('{');
  if (open == std::string_view::npos) return std::nullopt;
  std::string_view digits = line.substr(open + 1, line.size() - open - 2);
  if (!digits.empty() && digits.back() == '+') digits.remove_suffix(1);
  if (digits.empty() || digits.size() > 12) return std::nullopt;
  return numberAt<std::size_t>(digits);
}

std::optional<std::uint64_t> fetchItem(std::string_view line, std::string_view item) {
  const std::size_t open = line.find('(');
  if (open == std::string_view::npos) return std::nullopt;
  std::size_t at = open + 1;
  for (std::string_view word = wordAt(line, at); !word.empty(); word = wordAt(line, at)) {
    if (sameWord(word, item)) {
      std::string_view value = wordAt(line, at);
      while (!value.empty() && value.back() == ')') value.remove_suffix(1);
      return numberAt<std::uint64_t>(value);
    }
  }
  return std::nullopt;
}

std::optional<char> listDelimiter(std::string_view line) {
  const std::size_t close = line.find(')');
  if (close == std::string_view::npos) return std::nullopt;
  const std::size_t quote = line.find_first_not_of(' ', close + 1);
  if (quote == std::string_view::npos || line[quote] != '"' || quote + 2 >= line.size()) {
    return std::nullopt;
  }
  if (line[quote + 1] == '\\' && quote + 3 < line.size()) return line[quote + 2];
  return line[quote + 1];
}

std::string quoted(std::string_view text) {
  return text::backslashQuoted(text, '"');
}

std::string uidSet(const std::vector<std::uint32_t>& sortedUids) {
  std::string set;
  for (std::size_t i = 0; i < sortedUids.size();) {
    std::size_t last = i;
    while (last + 1 < sortedUids.size() && sortedUids[last + 1] == sortedUids[last] + 1) ++last;
    if (!set.empty()) set += ',';
    set += std::to_string(sortedUids[i]);
    if (last > i) set += ':' + std::to_string(sortedUids[last]);
    i = last + 1;
  }
  return set;
}

}  // namespace vendaro::imapreply
