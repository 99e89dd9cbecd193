#pragma once

#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "platform/Outcome.h"
#include "store/SiteFiles.h"
#include "store/StoreInput.h"

namespace vendaro {

// Writes every page as {folder}/{base name}{extension}, its text followed by one
// CR LF, all or nothing: the pages are first written into a staging folder
// and moved over the old ones only when all were written. Returns every page
// file written. On any failure the old pages stay as they were, the staging
// folder goes, and the error names the first page that failed and why (disk
// full, permission denied, name too long, ...): BadInput for page names that
// would leave the folder or clash, Conflict while another generation writes
// there, Io otherwise.
Outcome<std::vector<std::filesystem::path>> writeSitePages(const std::filesystem::path& folder,
                                                           const std::vector<SitePage>& pages,
                                                           SiteFiles& files);

// A file error in words: "disk full", "permission denied", "name too long",
// "another generation is writing there", else the system's text.
std::string fileErrorText(std::error_code error);

}  // namespace vendaro
