#include "store/SiteWriting.h"

#include <cerrno>
#include <set>

#include "common/TextFile.h"
#include "store/ProjectFiles.h"

namespace vendaro {
namespace {

namespace fs = std::filesystem;

constexpr const char* kNothingChanged = "; no page was changed.";

std::string fileName(const SitePage& page) {
  return page.fileName();
}

// A file error while writing the pages: another generation holding the
// folder is a conflict, everything else an I/O failure.
Error pageFailure(std::string text, std::error_code error) {
  const ErrorKind kind =
      error == std::errc::device_or_resource_busy ? ErrorKind::Conflict : ErrorKind::Io;
  return failure(kind, std::move(text) + " (" + fileErrorText(error) + ")" + kNothingChanged);
}

// Refuses page names that cannot be written as they are.
Done checkNames(const std::vector<SitePage>& pages) {
  std::set<std::string> names;
  for (const SitePage& page : pages) {
    if (!isContainedName(page.baseName)) {
      return failure(ErrorKind::BadInput, "The page name \"" + page.baseName +
                                              "\" would leave the project folder" +
                                              kNothingChanged);
    }
    if (!names.insert(fileName(page)).second) {
      return failure(ErrorKind::BadInput,
                     "Two pages would both be \"" + fileName(page) + "\"" + kNothingChanged);
    }
  }
  return {};
}

// Moves the new pages over the old ones, keeping each old page in the
// staging folder; on a failure every page moved so far is put back.
Done movePagesIntoPlace(const fs::path& folder, const fs::path& staging,
                        const std::vector<SitePage>& pages, SiteFiles& files) {
  struct Moved {
    fs::path target, fresh, old;
    bool hadOld;
  };
  std::vector<Moved> moved;
  Done outcome;
  for (const SitePage& page : pages) {
    Moved step{folder / fileName(page), staging / "new" / fileName(page),
               staging / "old" / fileName(page), false};
    std::error_code error = files.rename(step.target, step.old);
    step.hadOld = !error;
    if (error == std::errc::no_such_file_or_directory) error.clear();  // a new page
    if (!error) error = files.rename(step.fresh, step.target);
    if (error) {
      if (step.hadOld) files.rename(step.old, step.target);
      outcome = pageFailure("\"" + fileName(page) + "\" could not be replaced", error);
      break;
    }
    moved.push_back(step);
  }
  if (outcome) return outcome;
  for (auto step = moved.rbegin(); step != moved.rend(); ++step) {
    files.rename(step->target, step->fresh);
    if (step->hadOld) files.rename(step->old, step->target);
  }
  return outcome;
}

}  // namespace

std::string fileErrorText(std::error_code error) {
  if (error == std::errc::no_space_on_device || error.value() == EDQUOT) return "disk full";
  if (error == std::errc::permission_denied || error == std::errc::operation_not_permitted ||
      error == std::errc::read_only_file_system) {
    return "permission denied";
  }
  if (error == std::errc::filename_too_long) return "name too long";
  if (error == std::errc::device_or_resource_busy) return "another generation is writing there";
  return error.message();
}

Outcome<std::vector<fs::path>> writeSitePages(const fs::path& folder,
                                              const std::vector<SitePage>& pages,
                                              SiteFiles& files) {
  if (Done names = checkNames(pages); !names) return names.error();
  fs::path staging;
  if (std::error_code error = files.makeStagingFolder(folder, staging)) {
    return pageFailure("The pages could not be written in " + folder.string(), error);
  }
  Done written;
  for (const SitePage& page : pages) {
    if (std::error_code error = files.write(staging / "new" / fileName(page), page.text, kCrLf)) {
      written = pageFailure("\"" + fileName(page) + "\" could not be written", error);
      break;
    }
  }
  if (written) written = movePagesIntoPlace(folder, staging, pages, files);
  files.removeAll(staging);
  if (!written) return written.error();
  std::vector<fs::path> paths;
  paths.reserve(pages.size());
  for (const SitePage& page : pages) paths.push_back(folder / fileName(page));
  return paths;
}

}  // namespace vendaro
