#pragma once

#include <filesystem>
#include <memory>

namespace vendaro {

// An exclusive advisory lock on a file (created when missing), held until the
// object is destroyed or its process ends, however it ends: a killed program
// leaves no stale lock behind. Used to let only one program at a time do a
// job in a folder.
class FileLock {
 public:
  // The lock, or nothing when another holder has it; std::system_error when
  // the file cannot be opened or made.
  static std::unique_ptr<FileLock> tryTake(const std::filesystem::path& file);
  ~FileLock();
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;

 private:
  explicit FileLock(int descriptor) : descriptor_(descriptor) {}
  int descriptor_;
};

}  // namespace vendaro
