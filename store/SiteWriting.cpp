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

// Why the page names cannot be written as they are, or nothing.
std::string nameProblem(const std::vector<SitePage>& pages) {
  std::set<std::string> names;
  for (const SitePage& page : pages) {
    if (!isContainedName(page.baseName)) {
      return "The page name \"" + page.baseName + "\" would leave the project folder" +
             kNothingChanged;
    }
    if (!names.insert(fileName(page)).second) {
      return "Two pages would both be \"" + fileName(page) + "\"" + kNothingChanged;
    }
  }
  return {};
}

// Moves the new pages over the old ones, keeping each old page in the
// staging folder; on a failure every page moved so far is put back.
std::string movePagesIntoPlace(const fs::path& folder, const fs::path& staging,
                               const std::vector<SitePage>& pages, SiteFiles& files) {
  struct Moved {
    fs::path target, fresh, old;
    bool hadOld;
  };
  std::vector<Moved> moved;
  std::string failure;
  for (const SitePage& page : pages) {
    Moved step{folder / fileName(page), staging / "new" / fileName(page),
               staging / "old" / fileName(page), false};
    std::error_code error = files.rename(step.target, step.old);
    step.hadOld = !error;
    if (error == std::errc::no_such_file_or_directory) error.clear();  // a new page
    if (!error) error = files.rename(step.fresh, step.target);
    if (error) {
      if (step.hadOld) files.rename(step.old, step.target);
      failure = "\"" + fileName(page) + "\" could not be replaced (" + fileErrorText(error) + ")" +
                kNothingChanged;
      break;
    }
    moved.push_back(step);
  }
  if (failure.empty()) return failure;
  for (auto step = moved.rbegin(); step != moved.rend(); ++step) {
    files.rename(step->target, step->fresh);
    if (step->hadOld) files.rename(step->old, step->target);
  }
  return failure;
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

SiteWriteResult writeSitePages(const fs::path& folder, const std::vector<SitePage>& pages,
                               SiteFiles& files) {
  SiteWriteResult result;
  result.failure = nameProblem(pages);
  if (!result.failure.empty()) return result;
  fs::path staging;
  if (std::error_code error = files.makeStagingFolder(folder, staging)) {
    result.failure = "The pages could not be written in " + folder.string() + " (" +
                     fileErrorText(error) + ")" + kNothingChanged;
    return result;
  }
  for (const SitePage& page : pages) {
    if (std::error_code error = files.write(staging / "new" / fileName(page), page.text, kCrLf)) {
      result.failure = "\"" + fileName(page) + "\" could not be written (" + fileErrorText(error) +
                       ")" + kNothingChanged;
      break;
    }
  }
  if (result.failure.empty()) result.failure = movePagesIntoPlace(folder, staging, pages, files);
  files.removeAll(staging);
  if (result.failure.empty()) {
    for (const SitePage& page : pages) result.written.push_back(folder / fileName(page));
  }
  return result;
}

}  // namespace vendaro
