#include "store/DiskSiteFiles.h"

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace vendaro {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kStagingPrefix = ".generating-";

std::error_code lastError() {
  return {errno, std::generic_category()};
}

// Puts back each page of a killed generation's "old" folder whose place in
// `folder` is empty, then removes the staging folder.
void removeStaleStaging(const fs::path& folder, const fs::path& staging) {
  std::error_code ignored;
  for (const auto& entry : fs::directory_iterator(staging / "old", ignored)) {
    const fs::path target = folder / entry.path().filename();
    if (!fs::exists(fs::symlink_status(target, ignored))) fs::rename(entry.path(), target, ignored);
  }
  fs::remove_all(staging, ignored);
}

void removeStaleStagingFolders(const fs::path& folder) {
  std::error_code ignored;
  std::vector<fs::path> stale;
  for (const auto& entry : fs::directory_iterator(folder, ignored)) {
    if (entry.path().filename().string().starts_with(kStagingPrefix) &&
        entry.is_directory(ignored) && !entry.is_symlink(ignored)) {
      stale.push_back(entry.path());
    }
  }
  for (const fs::path& staging : stale) removeStaleStaging(folder, staging);
}

}  // namespace

std::error_code DiskSiteFiles::makeStagingFolder(const std::filesystem::path& folder,
                                                 std::filesystem::path& staging) {
  try {
    generating_ = FileLock::tryTake(folder / kLockName);
  } catch (const std::system_error& error) {
    return error.code();
  }
  if (!generating_) return std::make_error_code(std::errc::device_or_resource_busy);
  removeStaleStagingFolders(folder);
  std::string name = (folder / (std::string(kStagingPrefix) + "XXXXXX")).string();
  if (::mkdtemp(name.data()) == nullptr) {
    const std::error_code error = lastError();
    generating_.reset();
    return error;
  }
  staging = name;
  std::error_code error;
  for (const char* part : {"new", "old"}) {
    if (!std::filesystem::create_directory(staging / part, error)) {
      removeAll(staging);
      return error ? error : std::make_error_code(std::errc::file_exists);
    }
  }
  return {};
}

std::error_code DiskSiteFiles::write(const std::filesystem::path& file, std::string_view content,
                                     std::string_view ending) {
  const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) return lastError();
  std::error_code error;
  for (std::string_view part : {content, ending}) {
    while (!part.empty() && !error) {
      const ssize_t written = ::write(fd, part.data(), part.size());
      if (written < 0 && errno != EINTR) error = lastError();
      if (written > 0) part.remove_prefix(static_cast<std::size_t>(written));
    }
  }
#ifdef __linux__
  // Starts the write-out without waiting for it; a failure shows in sync.
  if (!error) ::sync_file_range(fd, 0, 0, SYNC_FILE_RANGE_WRITE);
#endif
  if (::close(fd) != 0 && !error) error = lastError();
  return error;
}

// The file is opened anew rather than kept open, so a site of many pages
// needs no more than one descriptor; the kernel reports a write-out error
// not yet seen to the next fsync of the file, through any descriptor.
std::error_code DiskSiteFiles::sync(const std::filesystem::path& file) {
  const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return lastError();
  // A full disk may show only when the data reaches it.
  std::error_code error;
  if (::fsync(fd) != 0) error = lastError();
  if (::close(fd) != 0 && !error) error = lastError();
  return error;
}

std::error_code DiskSiteFiles::rename(const std::filesystem::path& from,
                                      const std::filesystem::path& to) {
  if (std::rename(from.c_str(), to.c_str()) != 0) return lastError();
  return {};
}

void DiskSiteFiles::removeAll(const std::filesystem::path& folder) {
  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);
  generating_.reset();
}

}  // namespace vendaro
