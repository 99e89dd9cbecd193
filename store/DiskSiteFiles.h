#pragma once

#include <memory>

#include "platform/FileLock.h"
#include "store/SiteFiles.h"

namespace vendaro {

// SiteFiles on the local disk. A written file goes to the disk while the
// next pages are generated, and is synced before it counts as written, so a
// full disk is seen while the old pages are still in place.
// A generation holds ".generating.lock" in the project folder from making
// its staging folder to removing it; the one that takes the lock removes the
// staging folders that generations killed before it left behind, putting
// back a page caught between its two renames. While another generation
// holds the lock, making a staging folder fails with device_or_resource_busy.
class DiskSiteFiles : public SiteFiles {
 public:
  static constexpr const char* kLockName = ".generating.lock";

  std::error_code makeStagingFolder(const std::filesystem::path& folder,
                                    std::filesystem::path& staging) override;
  std::error_code write(const std::filesystem::path& file, std::string_view content,
                        std::string_view ending) override;
  std::error_code sync(const std::filesystem::path& file) override;
  std::error_code rename(const std::filesystem::path& from,
                         const std::filesystem::path& to) override;
  void removeAll(const std::filesystem::path& folder) override;

 private:
  std::unique_ptr<FileLock> generating_;
};

}  // namespace vendaro
