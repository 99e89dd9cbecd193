#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>

#include "publish/SiteFiles.h"

namespace vendaro {

// What was published from a folder to one destination: each file's size and
// hash when it went up. Kept in the folder as ".vendaro-published", one line
// per file ("HASH SIZE NAME"), after a line naming the destination; a
// manifest for another destination counts as empty, so everything goes there.
class PublishManifest {
 public:
  static constexpr const char* kFileName = ".vendaro-published";

  PublishManifest(std::filesystem::path folder, std::string destination);

  // Reads the manifest; a missing or unreadable one, or one of another
  // destination, leaves it empty.
  void load();
  // Writes it whole under a temporary name and renames it into place, so an
  // interrupted run never leaves a broken manifest. False on failure.
  bool save() const;

  bool isPublished(const SiteFile& file) const;
  void record(const SiteFile& file);

 private:
  struct Entry {
    std::uint64_t size = 0;
    std::string hash;
  };
  std::filesystem::path folder_;
  std::string destination_;
  std::map<std::string, Entry> entries_;
};

}  // namespace vendaro
