#include "store/GenerateCommand.h"

#include <memory>
#include <string>
#include <vector>

#include "platform/KeptUntilExit.h"
#include "store/DiskSiteFiles.h"
#include "store/Sitemap.h"

namespace vendaro {
namespace {

namespace fs = std::filesystem;

constexpr const char* kPrefix = "vendaro generate: ";

// What reading the project found, before the pages: categories without
// items, then the repeated categories in one note.
void printFindings(const ProjectInput& read, std::ostream& out) {
  for (const std::string& category : read.withoutItemFile) {
    out << "category \"" << category << "\" has no item file; it is generated without items\n";
  }
  if (read.notes.empty()) return;
  out << "note: ";
  for (std::size_t index = 0; index < read.notes.size(); ++index) {
    out << (index == 0 ? "" : "\n") << read.notes[index];
  }
  out << "\n";
}

// The sitemap of the pages written (every .htm file), beside them.
bool writeSitemap(const GenerateOptions& options, const StoreProject& project,
                  const std::vector<fs::path>& written, std::ostream& out, std::ostream& err) {
  std::vector<std::string> pages;
  for (const fs::path& file : written) {
    if (file.extension() == ".htm" || file.extension() == ".html") {
      pages.push_back(file.lexically_relative(project.folder()).generic_string());
    }
  }
  const std::vector<fs::path> mapFiles =
      Sitemap(options.sitemapBase, std::move(pages)).write(project.folder());
  if (mapFiles.empty()) {
    err << kPrefix << "cannot write the sitemap into " << project.folder().string() << "\n";
    return false;
  }
  for (const fs::path& file : mapFiles) out << "wrote " << file.string() << "\n";
  return true;
}

}  // namespace

int runGenerateCommand(const GenerateOptions& options, const VendorSettings& vendor,
                       const StoreSettings& settings, std::ostream& out, std::ostream& err) {
  auto owned = std::make_unique<Outcome<ProjectInput>>(readStoreProject(options, settings, vendor));
  Outcome<ProjectInput>& read = *owned;
  if (options.endsProcess) keepUntilExit(std::move(owned));
  if (!read) {
    err << kPrefix << read.error().message << "\n";
    return kGenerateFailed;
  }
  printFindings(*read, out);
  const StoreProject project(options.appFolder, options.project);
  DiskSiteFiles files;
  const SiteRun run =
      publishSite(read->input, project, SiteScope::WholeSite, files, std::move(read->reports));

  if (run.written) {
    for (const fs::path& file : *run.written) out << "wrote " << file.string() << "\n";
  }
  for (const GeneratorReport& report : run.reports) {
    out << "replaced: " << reportLine(report) << "\n";
  }
  if (!run.recordFailure.empty()) {
    err << kPrefix << "warning: what the pages publish could not be recorded (" << run.recordFailure
        << "); arriving orders cannot be checked against it\n";
  }
  if (!run.written) {
    err << kPrefix << run.written.error().message << "\n";
    return kGenerateFailed;
  }
  const bool mapped =
      options.sitemapBase.empty() || writeSitemap(options, project, *run.written, out, err);
  return mapped ? 0 : kGenerateFailed;
}

}  // namespace vendaro
