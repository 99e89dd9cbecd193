#include "app/ListFile.h"

#include <cerrno>
#include <cstring>
#include <fstream>

#include "common/TextFile.h"
#include "common/TextSearch.h"

namespace vendaro::list_file {
namespace {

// The text between one pair of quotes around the whole content, or the
// content itself when it is not quoted. Line ends after the closing quote
// are dropped; a missing closing quote keeps the rest.
std::string_view unquoted(std::string_view content) {
  if (content.empty() || content.front() != '"') return content;
  content.remove_prefix(1);
  while (!content.empty() && (content.back() == '\n' || content.back() == '\r')) {
    content.remove_suffix(1);
  }
  if (!content.empty() && content.back() == '"') content.remove_suffix(1);
  return content;
}

}  // namespace

std::string format(const std::vector<std::string>& entries) {
  std::string text = "\"";
  for (const auto& entry : entries) {
    text += entry;
    text += kCrLf;
  }
  text += "\"";
  text += kCrLf;
  return text;
}

bool write(const std::filesystem::path& path, const ListControl& list) {
  return writeWholeFile(path, format(list.items()));
}

Parsed parse(std::string_view content) {
  Parsed parsed;
  if (content.find('\0') != std::string_view::npos) {
    parsed.isList = false;
    return parsed;
  }
  const std::string_view text = unquoted(content);
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = text.size();
    if (end > start) parsed.entries.emplace_back(text.substr(start, end - start));
    // CR LF is one line end; a lone CR or LF is one too.
    start = end + (text.substr(end, 2) == kCrLf ? 2 : 1);
  }
  return parsed;
}

Loaded load(const std::filesystem::path& path) {
  Loaded loaded;
  std::error_code ec;
  const auto status = std::filesystem::status(path, ec);
  if (status.type() == std::filesystem::file_type::not_found) return loaded;
  loaded.state = Loaded::State::SetAside;
  if (status.type() != std::filesystem::file_type::regular) {
    loaded.problem = ec ? ec.message() : "not a regular file";
    return loaded;
  }
  const auto size = std::filesystem::file_size(path, ec);
  if (ec || size > kMaxBytes) {
    loaded.problem = ec ? ec.message() : "larger than 256 MB";
    return loaded;
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    loaded.problem = std::strerror(errno);
    return loaded;
  }
  std::string content(static_cast<std::size_t>(size), '\0');
  in.read(content.data(), static_cast<std::streamsize>(content.size()));
  if (in.bad() || static_cast<std::uintmax_t>(in.gcount()) != size) {
    loaded.problem = "it could not be read to the end";
    return loaded;
  }
  Parsed parsed = parse(content);
  if (!parsed.isList) {
    loaded.problem = "it is not a text list";
    return loaded;
  }
  loaded.state = Loaded::State::Read;
  loaded.entries = std::move(parsed.entries);
  return loaded;
}

std::vector<std::string> split(std::string_view text) {
  std::vector<std::string> entries;
  std::size_t start = 1;
  while (start + 1 <= text.size()) {
    std::size_t lineEnd = positionOf(text, kCrLf, start + 1);
    if (lineEnd == 0) break;
    entries.emplace_back(middle(text, start, lineEnd - start));
    start = lineEnd + 2;
  }
  return entries;
}

}  // namespace vendaro::list_file
