#include "editor/PageBackground.h"

#include "platform/Text.h"

namespace vendaro {
namespace {

constexpr std::string_view kBodyStart = "<body";

// Where the value of ` name=` starts inside [from, end), or npos.
std::size_t attributeValue(const std::string& lowered, std::string_view name, std::size_t from,
                           std::size_t end) {
  const std::string find = " " + text::lowerAscii(name) + "=";
  const std::size_t at = lowered.find(find, from);
  return at == std::string::npos || at >= end ? std::string::npos : at + find.size();
}

// The end of an unquoted attribute value starting at `start`.
std::size_t unquotedEnd(std::string_view html, std::size_t start, std::size_t tagEnd) {
  std::size_t end = start;
  while (end < tagEnd && html[end] != ' ' && html[end] != '\t' && html[end] != '\r' &&
         html[end] != '\n')
    ++end;
  return end;
}

}  // namespace

std::optional<std::string> withBodyAttribute(std::string_view html, std::string_view name,
                                             std::string_view value, char quote) {
  const std::string lowered = text::lowerAscii(html);
  const std::size_t body = lowered.find(kBodyStart);
  if (body == std::string::npos) return std::nullopt;
  const std::size_t afterBody = body + kBodyStart.size();
  std::size_t tagEnd = lowered.find('>', afterBody);
  if (tagEnd == std::string::npos) tagEnd = html.size();
  std::string result(html);
  std::size_t start = attributeValue(lowered, name, afterBody, tagEnd);
  if (start == std::string::npos) {
    const std::string attribute = " " + std::string(name) + "=" + quote + std::string(value) + quote;
    return result.insert(afterBody, attribute);
  }
  std::size_t end = 0;
  if (start < tagEnd && (html[start] == '\'' || html[start] == '"')) {
    const char quoteChar = html[start++];
    end = html.find(quoteChar, start);
    if (end == std::string::npos || end > tagEnd) end = tagEnd;
  } else {
    end = unquotedEnd(html, start, tagEnd);
  }
  return result.replace(start, end - start, value);
}

}  // namespace vendaro
