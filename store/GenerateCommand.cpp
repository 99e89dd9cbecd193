#include "store/GenerateCommand.h"

#include <fstream>
#include <optional>
#include <system_error>
#include <vector>

#include "common/TextFile.h"
#include "platform/HeadlessDialogs.h"
#include "store/ProjectFiles.h"
#include "store/Sitemap.h"
#include "store/Wizard1.h"

namespace vendaro {
namespace {

namespace fs = std::filesystem;

constexpr const char* kPrefix = "vendaro generate: ";

bool present(const fs::path& file) {
  std::error_code error;
  return fs::exists(file, error);
}

// Reads a file the command needs; on failure says why on `err`.
std::optional<std::string> readNeeded(const fs::path& file, std::ostream& err) {
  std::error_code error;
  std::optional<std::string> text;
  if (fs::is_regular_file(file, error)) text = readWholeFile(file);
  if (!text) err << kPrefix << "cannot read " << file.string() << "\n";
  return text;
}

// Whether a file the wizard will read opens for reading (it is read once,
// by the generation); on failure says why on `err`.
bool readable(const fs::path& file, std::ostream& err) {
  std::error_code error;
  const bool opens = fs::is_regular_file(file, error) && std::ifstream(file).is_open();
  if (!opens) err << kPrefix << "cannot read " << file.string() << "\n";
  return opens;
}

// Checks that every file the wizard will read can be read, so a failure
// becomes a message instead of a silently empty list.
bool checkProjectFiles(const StoreProject& project, std::ostream& out, std::ostream& err) {
  if (!present(project.categoryFile())) {
    err << kPrefix << "no category file " << project.categoryFile().string() << "\n";
    return false;
  }
  std::optional<std::string> categories = readNeeded(project.categoryFile(), err);
  if (!categories) return false;
  for (const std::string& category : categoryLines(*categories)) {
    std::optional<fs::path> itemFile = project.itemFile(category);
    if (!itemFile) {
      err << kPrefix << "cannot use the category name \"" << category
          << "\": it is empty or would leave the project folder\n";
      return false;
    }
    std::error_code error;
    const bool itemFileThere = fs::exists(*itemFile, error);
    if (error == std::errc::filename_too_long) {
      err << kPrefix << "the category name \"" << category << "\" is too long for a file name ("
          << category.size() << " characters)\n";
      return false;
    }
    if (error) {
      err << kPrefix << "cannot read " << itemFile->string() << " (" << error.message() << ")\n";
      return false;
    }
    if (!itemFileThere) {
      out << "category \"" << category << "\" has no item file; it is generated without items\n";
    } else if (!readable(*itemFile, err)) {
      return false;
    }
  }
  return !present(project.settingsFile()) || readNeeded(project.settingsFile(), err);
}

void applyOptions(const GenerateOptions& options, Wizard1& wizard) {
  switch (options.layout) {
    case SiteLayout::BannerAndContents:
      wizard.Option1_Click();
      break;
    case SiteLayout::ContentsOnly:
      wizard.Option2_Click();
      break;
    case SiteLayout::Responsive:
      wizard.Option3_Click();
      break;
  }
  wizard.siteAddress = options.sitemapBase;
  wizard.Check1.setValue(options.manufacturer ? 1 : 0);
  wizard.Check3.setValue(options.descriptionUrl ? 1 : 0);
  wizard.Check2.setValue(options.pictureUrl ? 1 : 0);
  wizard.Check4.setValue(options.weight ? 1 : 0);
  if (options.orderScript) wizard.chkOrderScript.setValue(1);
}

// The sitemap of the pages written (every .htm file), beside them.
bool writeSitemap(const GenerateOptions& options, const StoreProject& project,
                  const GenerationRun& run, std::ostream& out, std::ostream& err) {
  std::vector<std::string> pages;
  for (const fs::path& file : run.written) {
    if (file.extension() == ".htm" || file.extension() == ".html") {
      pages.push_back(file.lexically_relative(project.folder()).generic_string());
    }
  }
  const std::vector<fs::path> written =
      Sitemap(options.sitemapBase, std::move(pages)).write(project.folder());
  if (written.empty()) {
    err << kPrefix << "cannot write the sitemap into " << project.folder().string() << "\n";
    return false;
  }
  for (const fs::path& file : written) out << "wrote " << file.string() << "\n";
  return true;
}

}  // namespace

int runGenerateCommand(const GenerateOptions& options, const VendorSettings& vendor,
                       const StoreSettings& settings, std::ostream& out, std::ostream& err) {
  if (!isContainedName(options.project)) {
    err << kPrefix << "the project name \"" << options.project
        << "\" must not be empty, \".\" or \"..\", and must not contain \"/\" or \"\\\"\n";
    return kGenerateFailed;
  }
  if (!options.sitemapBase.empty() && !Sitemap::acceptsBase(options.sitemapBase)) {
    err << kPrefix << "the sitemap address \"" << options.sitemapBase
        << "\" must be an http:// or https:// address\n";
    return kGenerateFailed;
  }
  const StoreProject project(options.appFolder, options.project);
  std::error_code error;
  if (!fs::is_directory(project.folder(), error)) {
    err << kPrefix << "no project \"" << options.project << "\" in " << options.appFolder.string()
        << "\n";
    return kGenerateFailed;
  }
  if (!checkProjectFiles(project, out, err)) return kGenerateFailed;

  // The command prints the results of the run itself; what opening the
  // project says (repeated categories) is printed as notes.
  std::vector<std::string> notes;
  HeadlessDialogs dialogs([&notes](const std::string& text, MessageIcon) { notes.push_back(text); },
                          options.questionAnswer);
  Wizard1 wizard(
      Wizard1Platform{dialogs, settings, vendor, options.appFolder, nullptr, nullptr, {}});
  applyOptions(options, wizard);
  // Opening the project also loads its settings file (defaults without one).
  if (!wizard.openProjectFile(project.categoryFile().string())) {
    err << kPrefix << "cannot open the project \"" << options.project << "\" in "
        << options.appFolder.string() << "\n";
    return kGenerateFailed;
  }
  for (const std::string& note : notes) out << "note: " << note << "\n";
  wizard.fillCategoryChoice();
  wizard.Command14_Click();

  const GenerationRun& run = wizard.lastGeneration();
  for (const fs::path& file : run.written) out << "wrote " << file.string() << "\n";
  for (const GeneratorReport& report : run.reports) {
    out << "replaced: " << Wizard1::describe(report) << "\n";
  }
  if (!run.recordFailure.empty()) {
    err << kPrefix << "warning: what the pages publish could not be recorded (" << run.recordFailure
        << "); arriving orders cannot be checked against it\n";
  }
  if (run.failure.empty()) {
    const bool mapped = options.sitemapBase.empty() || writeSitemap(options, project, run, out, err);
    return mapped ? 0 : kGenerateFailed;
  }
  err << kPrefix << run.failure << "\n";
  return kGenerateFailed;
}

}  // namespace vendaro
