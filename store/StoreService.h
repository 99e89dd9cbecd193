#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "common/VendorSettings.h"
#include "platform/Outcome.h"
#include "store/ProjectFiles.h"
#include "store/SiteFiles.h"
#include "store/StoreInput.h"
#include "store/StoreProject.h"
#include "store/StoreSettings.h"

namespace vendaro {

// The store as a service: a project of the application folder read into a
// `StoreInput`, and that input generated, written and recorded in one call.
// `vendaro generate` uses both; the store wizard fills the input from its
// boxes and uses the second.

// How to generate a project: the choices of the wizard's "Web Style" tab.
struct GenerateOptions {
  std::filesystem::path appFolder;  // already resolved
  std::string project;
  SiteLayout layout = SiteLayout::BannerAndContents;
  bool manufacturer = false;    // Check1
  bool descriptionUrl = false;  // Check3
  bool pictureUrl = false;      // Check2
  bool weight = false;          // Check4
  bool orderScript = false;     // chkOrderScript; [store] order_form = "script" sets it too
  // Not empty: the address the site is published at (http:// or https://),
  // for canonical links and a sitemap. Empty: the site is exactly what the
  // wizard writes.
  std::string sitemapBase = {};
  // The process ends with the command: the catalogue read is left for the
  // system to take back rather than freed item by item.
  bool endsProcess = false;
};

// A project read for generation, and what reading it found.
struct ProjectInput {
  StoreInput input;
  // Categories without an item file, in the order of the category file:
  // they are generated without items.
  std::vector<std::string> withoutItemFile = {};
  // Categories listed more than once, each named in one sentence.
  std::vector<std::string> notes = {};
  // Item lines left out (not seven fields).
  std::vector<GeneratorReport> reports = {};
};

// Reads the project `options.project` as the wizard would open and generate
// it: the category file, each category's item file, the settings file (the
// wizard's defaults without one; the templates are always the defaults) and
// the stock file. Fails when the name or the sitemap address is unusable
// (BadInput), the project or its category file is missing (NotFound), a file
// cannot be read (Io), or a category name, the start file name, the sales
// tax or an item file leading outside the project is refused (BadInput).
Outcome<ProjectInput> readStoreProject(const GenerateOptions& options,
                                       const StoreSettings& settings, const VendorSettings& vendor);

// The input of a generation from a project's settings boxes (the sales tax
// as a fraction) and the settings: everything but the layout, the columns,
// the order script, the site address, the categories and the stock. The
// order-page templates are the defaults.
StoreInput storeInputOf(const ProjectSettings& boxes, const StoreSettings& settings,
                        const VendorSettings& vendor);

// The category `name` from the text of its item file: every line of seven
// fields; other lines are left out and added to `reports`.
StoreCategory categoryFromItemFile(std::string name, std::string_view text,
                                   std::vector<GeneratorReport>& reports);

// What "Generate" writes (the whole site) or "Update" (the start page).
enum class SiteScope { WholeSite, StartPageOnly };

// What one generation did.
struct SiteRun {
  std::size_t pages = 0;  // generated
  // Every page file written, or why none was changed.
  Outcome<std::vector<std::filesystem::path>> written = std::vector<std::filesystem::path>{};
  // The values replaced or left out, whether or not the pages were written.
  std::vector<GeneratorReport> reports = {};
  // Why what the pages publish could not be recorded; empty when it was.
  std::string recordFailure = {};
};

// Generates the pages of `scope` from `input`, writes them into the project
// folder all or nothing through `files`, and, once written, records what
// they publish (published/ in the application folder) so arriving orders can
// be checked against it; a start page alone keeps the tax and shipping of
// the project's last record. The run's reports begin with `reports` (those
// found while reading the input). A project whose name would leave the
// application folder writes nothing (BadInput).
SiteRun publishSite(const StoreInput& input, const StoreProject& project, SiteScope scope,
                    SiteFiles& files, std::vector<GeneratorReport> reports = {});

// One line describing a value the generator replaced or left out.
std::string reportLine(const GeneratorReport& report);

}  // namespace vendaro
