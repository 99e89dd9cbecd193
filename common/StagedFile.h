#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace vendaro {

// A file written whole and synced under a hidden temporary name beside
// `near` ("." + its name + a random suffix), so that putting it in place
// later is one rename: a crash leaves the old file or the new one, never
// half of one. The temporary file is removed unless it was moved.
class StagedFile {
 public:
  StagedFile(const std::filesystem::path& near, std::string_view content);
  ~StagedFile();
  StagedFile(const StagedFile&) = delete;
  StagedFile& operator=(const StagedFile&) = delete;

  // Whether the content is on disk, waiting to be moved.
  bool written() const { return !path_.empty(); }
  // Renames it over `target` in the same folder with the target's
  // permissions, or 0644 for a new file; false when it cannot.
  [[nodiscard]] bool moveTo(const std::filesystem::path& target);

 private:
  void remove();

  std::string path_;  // empty when nothing waits
};

}  // namespace vendaro
