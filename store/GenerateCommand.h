#pragma once

#include <ostream>

#include "common/VendorSettings.h"
#include "store/StoreService.h"
#include "store/StoreSettings.h"

namespace vendaro {

// Generates the whole site of a project without a window: reads the project
// (readStoreProject), writes every page and records it (publishSite), and
// prints each file written and every value the generator replaced. Returns
// the exit code: 0 on success; kGenerateFailed with a message on `err` when
// the project is missing, a file cannot be read, the settings are refused
// (sales tax rate, start file name) or a page cannot be written; then no
// page is changed.
inline constexpr int kGenerateFailed = 2;
int runGenerateCommand(const GenerateOptions& options, const VendorSettings& vendor,
                       const StoreSettings& settings, std::ostream& out, std::ostream& err);

}  // namespace vendaro
