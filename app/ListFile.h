#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ListControl.h"

namespace vendaro {

// The one file format of the saved lists: a double quote, every entry
// followed by CR LF, a double quote, CR LF. Entries are stored as they are.
namespace list_file {

// The text of a list file for `entries`.
std::string format(const std::vector<std::string>& entries);
// Writes `list` as a list file; false when the file cannot be written.
[[nodiscard]] bool write(const std::filesystem::path& path, const ListControl& list);

// The first field of a file's content: when it begins with a double quote,
// everything up to the next double quote (line breaks included, the quotes
// dropped; the rest of the file when no quote closes it); otherwise the text
// up to the first comma or line end.
std::string firstField(std::string_view content);
// The first field of the file at `path`; empty when it is missing or unreadable.
std::string read(const std::filesystem::path& path);

// Splits a list text into entries: each entry ends at a CR LF searched from
// one place after its start, so an empty line joins the line after it; text
// after the last CR LF is ignored. (Favorites files are said to stop one
// character earlier; no entry can come from the last two characters either
// way, so one rule serves all lists.)
std::vector<std::string> split(std::string_view text);

}  // namespace list_file
}  // namespace vendaro
