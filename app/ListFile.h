#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "platform/controls/ListControl.h"

namespace vendaro {

// The one file format of the saved lists: a double quote, every entry
// followed by CR LF, a double quote, CR LF. Entries are stored as they are.
namespace list_file {

// A list file larger than this is not read (and so never overwritten).
inline constexpr std::uintmax_t kMaxBytes = 256 * 1024 * 1024;

// The text of a list file for `entries`.
std::string format(const std::vector<std::string>& entries);
// Writes `list` as a list file; false when the file cannot be written.
[[nodiscard]] bool write(const std::filesystem::path& path, const ListControl& list);

// The entries of a list file's content, read leniently so that no entry is
// lost: the written format and its near misses (no surrounding quotes, LF or
// CR LF or CR line ends, quotes inside entries, no final line end). One pair
// of quotes around the whole text is dropped; every non-empty line is an
// entry. Nothing when the content is not a list (it holds a NUL byte).
struct Parsed {
  bool isList = true;
  std::vector<std::string> entries;
};
Parsed parse(std::string_view content);

// What reading a saved list found.
struct Loaded {
  enum class State { Missing, Read, SetAside };
  State state = State::Missing;
  std::vector<std::string> entries;
  std::string problem;  // why a file was set aside
};
// Reads the list file at `path`. A file that exists but cannot be read or is
// not a list is set aside: the caller must leave it as it is.
Loaded load(const std::filesystem::path& path);

// Splits a list text into entries the way the vendor's downloaded lists are
// split: each entry ends at a CR LF searched from one place after its start,
// so an empty line joins the line after it; text after the last CR LF is
// ignored.
std::vector<std::string> split(std::string_view text);

}  // namespace list_file
}  // namespace vendaro
