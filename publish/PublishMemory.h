#pragma once

#include <filesystem>
#include <string>

namespace vendaro {

// The destination and user a folder was last published to, kept in the
// folder as ".vendaro-publish" ("destination=..." and "user=..." lines), so
// the command and the window offer them again. Never a password.
struct PublishMemory {
  static constexpr const char* kFileName = ".vendaro-publish";

  std::string destination;
  std::string user;

  static PublishMemory read(const std::filesystem::path& folder);
  bool write(const std::filesystem::path& folder) const;
};

}  // namespace vendaro
