#include "common/StagedFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <utility>

namespace vendaro {
namespace {

bool writeAll(int fd, std::string_view content) {
  while (!content.empty()) {
    const ssize_t written = ::write(fd, content.data(), content.size());
    if (written < 0 && errno == EINTR) continue;
    if (written < 0) return false;
    content.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

}  // namespace

StagedFile::StagedFile(const std::filesystem::path& near, std::string_view content) {
  std::string temporary =
      (near.parent_path() / ("." + near.filename().string() + ".XXXXXX")).string();
  const int fd = ::mkstemp(temporary.data());
  if (fd < 0) return;
  bool ok = writeAll(fd, content) && ::fsync(fd) == 0;
  ok = (::close(fd) == 0) && ok;
  if (ok) {
    path_ = std::move(temporary);
  } else {
    std::remove(temporary.c_str());
  }
}

StagedFile::~StagedFile() {
  remove();
}

bool StagedFile::moveTo(const std::filesystem::path& target) {
  if (path_.empty()) return false;
  // mkstemp makes 0600: keep the target's permissions, or 0644 for a new file.
  struct stat existing {};
  const mode_t mode = ::stat(target.c_str(), &existing) == 0 ? (existing.st_mode & 07777) : 0644;
  if (::chmod(path_.c_str(), mode) != 0 || std::rename(path_.c_str(), target.c_str()) != 0) {
    return false;
  }
  path_.clear();
  return true;
}

void StagedFile::remove() {
  if (!path_.empty()) std::remove(path_.c_str());
  path_.clear();
}

}  // namespace vendaro
