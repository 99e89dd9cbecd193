#include "store/ProjectFiles.h"

#include <algorithm>
#include <array>

#include "common/TextFile.h"

namespace vendaro {
namespace {

constexpr char kFieldEnd = '^';

// The marker line written after each settings box but the last.
constexpr std::array<std::string_view, 6> kSettingsMarkers = {"[GoBack]", "[Font]", "[Table]",
                                                              "[Start]",  "[Tax]",  "[Action]"};

std::array<std::string*, 7> settingsBoxes(ProjectSettings& settings) {
  return {&settings.emailAction, &settings.goBackUrl, &settings.fontStyle, &settings.tableStyle,
          &settings.startFile,   &settings.salesTax,  &settings.formAction};
}

std::array<const std::string*, 7> settingsBoxes(const ProjectSettings& settings) {
  return {&settings.emailAction, &settings.goBackUrl, &settings.fontStyle, &settings.tableStyle,
          &settings.startFile,   &settings.salesTax,  &settings.formAction};
}

}  // namespace

std::vector<std::string_view> lineViews(std::string_view text) {
  std::vector<std::string_view> lines;
  // Two plain searches, the next LF kept across lines ended by a CR alone:
  // find_first_of would test every character against the set.
  std::size_t newline = std::min(text.find('\n'), text.size());
  std::size_t start = 0;
  while (start < text.size()) {
    if (newline < start) newline = std::min(text.find('\n', start), text.size());
    const std::size_t end = std::min(text.substr(0, newline).find('\r', start), newline);
    lines.push_back(text.substr(start, end - start));
    if (end == text.size()) break;
    start = end + 1;
    if (text[end] == '\r' && start < text.size() && text[start] == '\n') ++start;
  }
  return lines;
}

std::vector<std::string> splitLines(std::string_view text) {
  const std::vector<std::string_view> views = lineViews(text);
  return {views.begin(), views.end()};
}

std::vector<std::string> categoryLines(std::string_view text) {
  std::vector<std::string> lines = splitLines(text);
  while (!lines.empty() && lines.back().empty()) lines.pop_back();
  return lines;
}

std::string linesText(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) {
    text += line;
    text += kCrLf;
  }
  return text;
}

std::string settingsFileText(const ProjectSettings& settings) {
  std::string text;
  const auto boxes = settingsBoxes(settings);
  for (std::size_t i = 0; i < boxes.size(); ++i) {
    if (boxes[i]->empty()) {
      text += kCrLf;
      text += kCrLf;
    } else {
      text += *boxes[i];
      text += kCrLf;
    }
    if (i < kSettingsMarkers.size()) {
      text += kSettingsMarkers[i];
      text += kCrLf;
    }
  }
  return text;
}

ProjectSettings parseSettingsFile(std::string_view text) {
  ProjectSettings settings;
  const auto boxes = settingsBoxes(settings);
  std::size_t box = 0;
  for (const std::string& line : splitLines(text)) {
    if (box < kSettingsMarkers.size() && line == kSettingsMarkers[box]) {
      ++box;
      continue;
    }
    *boxes[box] += line;
  }
  return settings;
}

std::string itemRecordLine(const ItemRecord& item) {
  std::string line;
  for (const std::string* field : {&item.id, &item.description, &item.price, &item.pictureUrl,
                                   &item.descriptionUrl, &item.manufacturer, &item.weight}) {
    line += *field;
    line += kFieldEnd;
  }
  return line;
}

std::size_t itemFieldCount(std::string_view line) {
  std::size_t separators = 0;
  for (std::size_t at = line.find(kFieldEnd); at != std::string_view::npos;
       at = line.find(kFieldEnd, at + 1)) {
    ++separators;
  }
  return separators + (line.empty() || line.back() == kFieldEnd ? 0 : 1);
}

ItemRecord parseItemRecord(std::string_view line) {
  std::array<std::string_view, kItemFields> fields{};
  std::size_t start = 0;
  for (std::string_view& field : fields) {
    if (start > line.size()) break;
    std::size_t end = line.find(kFieldEnd, start);
    if (end == std::string_view::npos) end = line.size();
    field = line.substr(start, end - start);
    start = end + 1;
  }
  // Each text made once at its size, in the order of the line.
  return {std::string(fields[0]), std::string(fields[1]), std::string(fields[2]),
          std::string(fields[3]), std::string(fields[4]), std::string(fields[5]),
          std::string(fields[6])};
}

std::optional<std::string> projectOfCategoryFile(const std::filesystem::path& appFolder,
                                                 const std::filesystem::path& chosenFile) {
  const std::filesystem::path file = std::filesystem::absolute(chosenFile).lexically_normal();
  const std::string name = file.parent_path().filename().string();
  std::error_code error;
  if (!isContainedName(name) ||
      !std::filesystem::equivalent(file.parent_path().parent_path(), appFolder, error)) {
    return std::nullopt;
  }
  return name;
}

}  // namespace vendaro
