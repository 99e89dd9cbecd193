#pragma once

#include <filesystem>
#include <string_view>
#include <system_error>

namespace vendaro {

// The file operations that writing a generated site needs. Generation writes
// every page into a staging folder first and moves the pages into place only
// when all were written, so the one disk implementation (DiskSiteFiles) can
// be replaced in tests by one that fails where a full disk would.
class SiteFiles {
 public:
  virtual ~SiteFiles() = default;

  // Makes a new, empty staging folder inside `folder`, holding the empty
  // folders "new" (the new pages) and "old" (the pages they replace).
  virtual std::error_code makeStagingFolder(const std::filesystem::path& folder,
                                            std::filesystem::path& staging) = 0;
  // Writes `content` followed by `ending` as the whole new file `file` (the
  // ending apart, so a large page is not copied) and starts putting it on
  // disk; `sync` waits until it is there.
  virtual std::error_code write(const std::filesystem::path& file, std::string_view content,
                                std::string_view ending) = 0;
  // Returns once the file `write` wrote is on disk, or why it cannot be.
  // Called on a thread of its own, while `write` writes the next files.
  virtual std::error_code sync(const std::filesystem::path& file) = 0;
  // Renames `from` to `to`, replacing `to`; fails with no_such_file_or_directory
  // when `from` does not exist.
  virtual std::error_code rename(const std::filesystem::path& from,
                                 const std::filesystem::path& to) = 0;
  // Removes `folder` and everything in it.
  virtual void removeAll(const std::filesystem::path& folder) = 0;
};

}  // namespace vendaro
