#pragma once

#include "store/SiteFiles.h"

namespace vendaro {

// SiteFiles on the local disk. A written file is synced before it counts as
// written, so a full disk is seen while the old pages are still in place.
class DiskSiteFiles : public SiteFiles {
 public:
  std::error_code makeStagingFolder(const std::filesystem::path& folder,
                                    std::filesystem::path& staging) override;
  std::error_code write(const std::filesystem::path& file, std::string_view content) override;
  std::error_code rename(const std::filesystem::path& from,
                         const std::filesystem::path& to) override;
  void removeAll(const std::filesystem::path& folder) override;
};

}  // namespace vendaro
