#pragma once

#include <filesystem>
#include <ostream>
#include <string>

#include "common/VendorSettings.h"
#include "platform/HeadlessDialogs.h"
#include "store/StoreInput.h"
#include "store/StoreSettings.h"

namespace vendaro {

// The options of `vendaro generate`. The flags are the wizard's check boxes.
struct GenerateOptions {
  std::filesystem::path appFolder;  // already resolved
  std::string project;
  SiteLayout layout = SiteLayout::BannerAndContents;
  bool manufacturer = false;    // Check1
  bool descriptionUrl = false;  // Check3
  bool pictureUrl = false;      // Check2
  bool weight = false;          // Check4
  bool orderScript = false;     // chkOrderScript; [store] order_form = "script" sets it too
  // Not empty: sitemap.xml and robots.txt for the site at this address are
  // written too. Empty (the default): the site is exactly what the wizard writes.
  std::string sitemapBase;
  QuestionAnswer questionAnswer = QuestionAnswer::No;
};

// Generates the whole site of a project without a window: reads the category
// file, each category's item file and the settings file (defaults when it is
// absent) through the store wizard, writes every page, and prints each file
// written and every value the generator replaced. Returns the exit code: 0 on
// success; kGenerateFailed with a message on `err` when the project is
// missing, a file cannot be read, the settings are refused (sales tax rate,
// start file name) or a page cannot be written; then no page is changed.
inline constexpr int kGenerateFailed = 2;
int runGenerateCommand(const GenerateOptions& options, const VendorSettings& vendor,
                       const StoreSettings& settings, std::ostream& out, std::ostream& err);

}  // namespace vendaro
