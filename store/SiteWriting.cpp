#include "store/SiteWriting.h"

#include <cerrno>
#include <future>

#include "common/TextFile.h"
#include "store/ProjectFiles.h"

namespace vendaro {
namespace {

namespace fs = std::filesystem;

constexpr const char* kNothingChanged = "; no page was changed.";

// A file error while writing the pages: another generation holding the
// folder is a conflict, everything else an I/O failure.
Error pageFailure(std::string text, std::error_code error) {
  const ErrorKind kind =
      error == std::errc::device_or_resource_busy ? ErrorKind::Conflict : ErrorKind::Io;
  return failure(kind, std::move(text) + " (" + fileErrorText(error) + ")" + kNothingChanged);
}

Error notWritten(const std::string& fileName, std::error_code error) {
  return pageFailure("\"" + fileName + "\" could not be written", error);
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

SiteWriting::SiteWriting(fs::path folder, SiteFiles& files)
    : folder_(std::move(folder)), files_(files) {}

SiteWriting::~SiteWriting() {
  removeStaging();
}

void SiteWriting::add(const SitePage& page) {
  if (state_) state_ = checkName(page);
  if (state_ && staging_.empty()) state_ = makeStaging();
  if (state_) state_ = write(page);
}

Outcome<std::vector<fs::path>> SiteWriting::finish() {
  if (state_ && staging_.empty()) state_ = makeStaging();  // no page: the folder is still claimed
  if (state_) state_ = syncedPages();
  if (state_) state_ = movePagesIntoPlace();
  removeStaging();
  if (!state_) return state_.error();
  std::vector<fs::path> paths;
  paths.reserve(fileNames_.size());
  for (const std::string& name : fileNames_) paths.push_back(folder_ / name);
  return paths;
}

// Refuses a page name that cannot be written as it is.
Done SiteWriting::checkName(const SitePage& page) {
  if (!isContainedName(page.baseName)) {
    return failure(ErrorKind::BadInput, "The page name \"" + page.baseName +
                                            "\" would leave the project folder" + kNothingChanged);
  }
  if (!names_.insert(page.fileName()).second) {
    return failure(ErrorKind::BadInput,
                   "Two pages would both be \"" + page.fileName() + "\"" + kNothingChanged);
  }
  return {};
}

Done SiteWriting::makeStaging() {
  if (std::error_code error = files_.makeStagingFolder(folder_, staging_)) {
    staging_.clear();
    return pageFailure("The pages could not be written in " + folder_.string(), error);
  }
  return {};
}

Done SiteWriting::write(const SitePage& page) {
  fileNames_.push_back(page.fileName());
  const std::string& name = fileNames_.back();
  if (std::error_code error = files_.write(staging_ / "new" / name, page.text, kCrLf)) {
    return notWritten(name, error);
  }
  const std::size_t index = fileNames_.size() - 1;
  syncing_[index % syncing_.size()].add([this, index, name] { sync(index, name); });
  return {};
}

// On a syncing thread. After a failure the pages that follow need no sync;
// those before it still do, so the failure named is the first in order.
void SiteWriting::sync(std::size_t page, const std::string& fileName) {
  {
    const std::lock_guard lock(syncMutex_);
    if (failedSync_ < page) return;
  }
  const std::error_code error = files_.sync(staging_ / "new" / fileName);
  const std::lock_guard lock(syncMutex_);
  if (error && page < failedSync_) {
    failedSync_ = page;
    synced_ = notWritten(fileName, error);
  }
}

// Waits until every page is on disk, before the first one replaces an old
// page; each syncing thread runs its jobs in order, so a last one added to
// each runs after all syncs.
Done SiteWriting::syncedPages() {
  std::array<std::promise<void>, std::tuple_size_v<decltype(syncing_)>> done;
  for (std::size_t k = 0; k < syncing_.size(); ++k) {
    syncing_[k].add([&done, k] { done[k].set_value(); });
  }
  for (auto& each : done) each.get_future().wait();
  const std::lock_guard lock(syncMutex_);
  return synced_;
}

// Moves the new pages over the old ones, keeping each old page in the
// staging folder; on a failure every page moved so far is put back.
Done SiteWriting::movePagesIntoPlace() {
  struct Moved {
    fs::path target, fresh, old;
    bool hadOld;
  };
  std::vector<Moved> moved;
  Done outcome;
  for (const std::string& name : fileNames_) {
    Moved step{folder_ / name, staging_ / "new" / name, staging_ / "old" / name, false};
    std::error_code error = files_.rename(step.target, step.old);
    step.hadOld = !error;
    if (error == std::errc::no_such_file_or_directory) error.clear();  // a new page
    if (!error) error = files_.rename(step.fresh, step.target);
    if (error) {
      if (step.hadOld) files_.rename(step.old, step.target);
      outcome = pageFailure("\"" + name + "\" could not be replaced", error);
      break;
    }
    moved.push_back(step);
  }
  if (outcome) return outcome;
  for (auto step = moved.rbegin(); step != moved.rend(); ++step) {
    files_.rename(step->target, step->fresh);
    if (step->hadOld) files_.rename(step->old, step->target);
  }
  return outcome;
}

void SiteWriting::removeStaging() {
  for (SerialWorker& worker : syncing_) worker.stop(nullptr);
  if (staging_.empty()) return;
  files_.removeAll(staging_);
  staging_.clear();
}

Outcome<std::vector<fs::path>> writeSitePages(const fs::path& folder,
                                              const std::vector<SitePage>& pages,
                                              SiteFiles& files) {
  SiteWriting writing(folder, files);
  for (const SitePage& page : pages) writing.add(page);
  return writing.finish();
}

}  // namespace vendaro
