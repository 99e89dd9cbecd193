#pragma once

#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "store/SiteFiles.h"
#include "store/StoreInput.h"

namespace vendaro {

struct SiteWriteResult {
  std::vector<std::filesystem::path> written;  // every page file, when all were written
  std::string failure;                         // empty when all were written
};

// Writes every page as {folder}/{base name}{extension}, its text followed by one
// CR LF, all or nothing: the pages are first written into a staging folder
// and moved over the old ones only when all were written. On any failure
// the old pages stay as they were, the staging folder goes, and `failure`
// names the first page that failed and why (disk full, permission denied,
// name too long, ...).
SiteWriteResult writeSitePages(const std::filesystem::path& folder,
                               const std::vector<SitePage>& pages, SiteFiles& files);

// A file error in words: "disk full", "permission denied", "name too long",
// "another generation is writing there", else the system's text.
std::string fileErrorText(std::error_code error);

}  // namespace vendaro
