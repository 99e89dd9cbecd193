#include "app/ListFile.h"

#include "common/TextFile.h"
#include "common/TextSearch.h"

namespace vendaro::list_file {

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

std::string firstField(std::string_view content) {
  if (!content.empty() && content.front() == '"') {
    auto close = content.find('"', 1);
    return std::string(content.substr(1, close == std::string_view::npos ? close : close - 1));
  }
  auto start = content.find_first_not_of(" \t");
  if (start == std::string_view::npos) return {};
  auto end = content.find_first_of(",\r\n", start);
  std::string_view field = content.substr(start, end == std::string_view::npos ? end : end - start);
  while (!field.empty() && (field.back() == ' ' || field.back() == '\t')) field.remove_suffix(1);
  return std::string(field);
}

std::string read(const std::filesystem::path& path) {
  auto content = readWholeFile(path);
  return content ? firstField(*content) : std::string();
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
