#include "store/DiskSiteFiles.h"

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string>

namespace vendaro {
namespace {

std::error_code lastError() {
  return {errno, std::generic_category()};
}

}  // namespace

std::error_code DiskSiteFiles::makeStagingFolder(const std::filesystem::path& folder,
                                                 std::filesystem::path& staging) {
  std::string name = (folder / ".generating-XXXXXX").string();
  if (::mkdtemp(name.data()) == nullptr) return lastError();
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

std::error_code DiskSiteFiles::write(const std::filesystem::path& file, std::string_view content) {
  const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) return lastError();
  std::error_code error;
  while (!content.empty() && !error) {
    const ssize_t written = ::write(fd, content.data(), content.size());
    if (written < 0 && errno != EINTR) error = lastError();
    if (written > 0) content.remove_prefix(static_cast<std::size_t>(written));
  }
  // A full disk may show only when the data reaches it.
  if (!error && ::fsync(fd) != 0) error = lastError();
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
}

}  // namespace vendaro
