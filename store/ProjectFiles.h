#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/FileNames.h"
#include "store/StoreInput.h"

namespace vendaro {

// The seven boxes kept in a project's settings file {project}.sit, in the
// order they are written.
struct ProjectSettings {
  std::string emailAction;  // Text5
  std::string goBackUrl;    // Text4
  std::string fontStyle;    // Text3
  std::string tableStyle;   // Text2
  std::string startFile;    // Text14
  std::string salesTax;     // Text15
  std::string formAction;   // Text7
};

// The lines of a text file. CR LF, a lone CR and a lone LF all end a line; a
// last line without a line end counts, a final line end adds no empty line.
std::vector<std::string> splitLines(std::string_view text);
// The same lines as views into `text`, for large files read once.
std::vector<std::string_view> lineViews(std::string_view text);

// The categories of a category file: its lines without the empty lines at
// its end, which an editor may leave and which name no category.
std::vector<std::string> categoryLines(std::string_view text);

// Every entry followed by CR LF: the form of the category and item files.
std::string linesText(const std::vector<std::string>& lines);

// The settings file: each box followed by CR LF (an empty box as CR LF CR LF),
// then its marker line; the last box has no marker.
std::string settingsFileText(const ProjectSettings& settings);

// Reads a settings file back. The lines of a box are joined without line
// breaks; a marker line moves on to the next box and is not stored.
ProjectSettings parseSettingsFile(std::string_view text);

// An item record: the seven fields, each followed by "^".
std::string itemRecordLine(const ItemRecord& item);

// The number of fields of an item line: its "^"-terminated fields, and the
// text after the last "^" when there is any. A sound record has seven.
inline constexpr std::size_t kItemFields = 7;
std::size_t itemFieldCount(std::string_view line);

// Splits a record at successive "^". A field runs up to the next "^" (or the
// end of the line); fields missing from a short line are empty.
ItemRecord parseItemRecord(std::string_view line);

// The project a chosen category file belongs to: the name of its folder,
// when that folder lies directly in the application folder. Nothing for a
// file anywhere else, so a file elsewhere never names (and, on the next tab
// change, overwrites) a project of the application folder.
std::optional<std::string> projectOfCategoryFile(const std::filesystem::path& appFolder,
                                                 const std::filesystem::path& chosenFile);

}  // namespace vendaro
