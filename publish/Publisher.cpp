#include "publish/Publisher.h"

namespace vendaro {

std::uint64_t PublishPlan::bytes() const {
  std::uint64_t total = 0;
  for (const SiteFile& file : changed) total += file.size;
  return total;
}

Publisher::Publisher(std::filesystem::path folder, std::string destination)
    : folder_(folder), manifest_(std::move(folder), std::move(destination)) {}

PublishPlan Publisher::plan() {
  manifest_.load();
  SiteListing listing = listSiteFiles(folder_);
  PublishPlan plan;
  plan.refused = std::move(listing.refused);
  for (SiteFile& file : listing.files) {
    if (manifest_.isPublished(file)) {
      ++plan.unchanged;
    } else {
      plan.changed.push_back(std::move(file));
    }
  }
  return plan;
}

PublishOutcome Publisher::run(const PublishPlan& plan, FileUpload& upload, const Report& report,
                              const Log& log, const std::atomic<bool>& stop) {
  PublishOutcome outcome;
  PublishProgress progress{0, plan.changed.size(), 0, plan.bytes(), {}};
  for (const SiteFile& file : plan.changed) {
    if (stop.load()) {
      outcome.stopped = true;
      break;
    }
    progress.current = file.name;
    report(progress);
    const std::uint64_t before = progress.bytesDone;
    const UploadResult result = upload.put(
        file.path, file.name,
        [&](std::uint64_t sent) {
          progress.bytesDone = before + sent;
          report(progress);
        },
        stop);
    progress.bytesDone = before + file.size;
    ++progress.filesDone;
    if (result.kind == UploadResult::Kind::Cancelled) {
      outcome.stopped = true;
      break;
    }
    if (!result.ok()) {
      outcome.failures.push_back(result.message);
      log("failed: " + result.message);
      if (result.fatal) break;
      continue;
    }
    manifest_.record(file);
    if (!manifest_.save()) {
      outcome.failures.push_back("cannot write " + (folder_ / PublishManifest::kFileName).string());
      log("failed: " + outcome.failures.back());
      break;
    }
    ++outcome.uploaded;
    log("uploaded " + file.name);
  }
  progress.current.clear();
  report(progress);
  return outcome;
}

}  // namespace vendaro
