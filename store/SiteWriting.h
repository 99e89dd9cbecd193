#pragma once

#include <array>
#include <cstddef>
#include <filesystem>
#include <limits>
#include <mutex>
#include <set>
#include <string>
#include <system_error>
#include <vector>

#include "platform/Outcome.h"
#include "platform/SerialWorker.h"
#include "store/SiteFiles.h"
#include "store/StoreInput.h"

namespace vendaro {

// Writes the pages of one generation as {folder}/{base name}{extension}, each
// text followed by one CR LF, all or nothing: every page goes into a staging
// folder as soon as it is added, so a large site is never held whole in
// memory, and is synced on threads of their own while the rest is generated
// (syncs running side by side share the disk's flushes); only when all were
// written and synced are they moved over the old ones. On any failure
// the old pages stay as they were, the staging folder goes, and the error
// names the first page that failed and why (disk full, permission denied,
// name too long, ...): BadInput for page names that would leave the folder
// or clash, Conflict while another generation writes there, Io otherwise.
class SiteWriting {
 public:
  SiteWriting(std::filesystem::path folder, SiteFiles& files);
  ~SiteWriting();
  SiteWriting(const SiteWriting&) = delete;
  SiteWriting& operator=(const SiteWriting&) = delete;

  // Writes the page into the staging folder; after a failure, does nothing.
  void add(const SitePage& page);
  // Puts every page added in place; returns every page file written.
  Outcome<std::vector<std::filesystem::path>> finish();

 private:
  Done checkName(const SitePage& page);
  Done makeStaging();
  Done write(const SitePage& page);
  void sync(std::size_t page, const std::string& fileName);
  Done syncedPages();
  Done movePagesIntoPlace();
  void removeStaging();

  std::filesystem::path folder_;
  SiteFiles& files_;
  std::filesystem::path staging_;
  std::vector<std::string> fileNames_;  // in the order added
  std::set<std::string> names_;
  Done state_;
  std::mutex syncMutex_;
  std::size_t failedSync_ =
      std::numeric_limits<std::size_t>::max();  // the first page, in order, that failed to sync
  Done synced_;                                 // and why
  // Last, so they stop before the rest goes.
  std::array<SerialWorker, 4> syncing_;
};

// The pages written through one SiteWriting.
Outcome<std::vector<std::filesystem::path>> writeSitePages(const std::filesystem::path& folder,
                                                           const std::vector<SitePage>& pages,
                                                           SiteFiles& files);

// A file error in words: "disk full", "permission denied", "name too long",
// "another generation is writing there", else the system's text.
std::string fileErrorText(std::error_code error);

}  // namespace vendaro
