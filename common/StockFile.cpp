#include "common/StockFile.h"

#include <charconv>

#include "common/TextFile.h"
#include "platform/Text.h"

namespace vendaro {
namespace {

constexpr std::int64_t kLargestCount = 999999999;

std::optional<std::int64_t> wholeNumber(std::string_view text) {
  std::int64_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

}  // namespace

std::filesystem::path stockFilePath(const std::filesystem::path& appFolder,
                                    const std::string& project) {
  return appFolder / project / (project + ".stk");
}

std::string stockFileText(const StockCounts& counts) {
  std::string text;
  for (const auto& [id, count] : counts) {
    text += id + "^" + std::to_string(count) + "^";
    text += kCrLf;
  }
  return text;
}

StockCounts parseStockFile(std::string_view text) {
  StockCounts counts;
  for (std::size_t start = 0; start < text.size();) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string line(text.substr(start, end - start));
    start = end + 1;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty()) continue;
    const std::size_t first = line.find('^');
    if (first == std::string::npos || first == 0 || line.back() != '^') continue;
    const std::string_view count(line.data() + first + 1, line.size() - first - 2);
    if (const std::optional<std::int64_t> value = wholeNumber(count)) {
      counts[line.substr(0, first)] = *value;
    }
  }
  return counts;
}

StockCounts readStockFile(const std::filesystem::path& file) {
  const std::optional<std::string> text = readWholeFile(file);
  return text ? parseStockFile(*text) : StockCounts{};
}

bool writeStockFile(const std::filesystem::path& file, const StockCounts& counts) {
  if (counts.empty()) {
    std::error_code error;
    std::filesystem::remove(file, error);
    return !error;
  }
  return writeWholeFile(file, stockFileText(counts));
}

std::optional<std::optional<std::int64_t>> typedStockCount(std::string_view typed) {
  const std::string_view text = text::trimmed(typed);
  if (text.empty()) return std::optional<std::int64_t>();
  const std::optional<std::int64_t> value = wholeNumber(text);
  if (!value || *value < 0 || *value > kLargestCount) return std::nullopt;
  return value;
}

}  // namespace vendaro
