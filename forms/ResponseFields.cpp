#include "forms/ResponseFields.h"

#include <algorithm>
#include <optional>
#include <string_view>

#include "platform/Text.h"

namespace vendaro {
namespace {

constexpr std::string_view kHeaderEnd = "\r\n\r\n";

// The body: what follows the header block, or the whole text without one.
std::string_view bodyOf(std::string_view mail) {
  const std::size_t end = mail.find(kHeaderEnd);
  return end == std::string_view::npos ? mail : mail.substr(end + kHeaderEnd.size());
}

// Where the line of `name`= starts in `body`.
std::optional<std::size_t> fieldLine(std::string_view body, const std::string& name) {
  const std::string key = name + "=";
  for (std::size_t line = 0; line < body.size();) {
    if (text::startsWithIgnoringCase(body.substr(line), key)) return line;
    const std::size_t next = body.find('\n', line);
    if (next == std::string_view::npos) break;
    line = next + 1;
  }
  return std::nullopt;
}

std::string_view withoutTrailingBreaks(std::string_view value) {
  while (!value.empty() && (value.back() == '\n' || value.back() == '\r')) value.remove_suffix(1);
  return value;
}

}  // namespace

std::vector<std::string> responseFieldValues(const std::string& mail,
                                             const std::vector<std::string>& fields) {
  const std::string_view body = bodyOf(mail);
  std::vector<std::optional<std::size_t>> starts;
  for (const std::string& name : fields) starts.push_back(fieldLine(body, name));
  std::vector<std::string> values;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (!starts[i]) {
      values.emplace_back();
      continue;
    }
    const std::size_t from = *starts[i] + fields[i].size() + 1;
    std::size_t to = body.size();
    for (const auto& other : starts) {
      if (other && *other > *starts[i]) to = std::min(to, *other);
    }
    const std::string_view value = body.substr(from, to - from);
    values.emplace_back(to == body.size() ? withoutTrailingBreaks(value) : value);
  }
  return values;
}

}  // namespace vendaro
