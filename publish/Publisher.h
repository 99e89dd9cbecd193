#pragma once

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "platform/FileUpload.h"
#include "publish/PublishManifest.h"
#include "publish/SiteFiles.h"

namespace vendaro {

// What a run will upload: the files new or changed since the manifest, the
// number unchanged, and the files refused with why.
struct PublishPlan {
  std::vector<SiteFile> changed;
  std::size_t unchanged = 0;
  std::vector<std::string> refused;
  std::uint64_t bytes() const;
};

struct PublishProgress {
  std::size_t filesDone = 0;
  std::size_t filesTotal = 0;
  std::uint64_t bytesDone = 0;
  std::uint64_t bytesTotal = 0;
  std::string current;  // the file going up, empty at the end
};

struct PublishOutcome {
  std::size_t uploaded = 0;
  std::vector<std::string> failures;  // one message per file or the one that ended the run
  bool stopped = false;
  bool complete() const { return failures.empty() && !stopped; }
};

// Publishes a folder to one destination: plans from the folder and the
// manifest, uploads the changed files one after the other and records each
// in the manifest as soon as it is in place, so a run that breaks off is
// completed by the next one. A failure that ends the connection (log-in,
// host key, server gone) ends the run; any other skips the file.
class Publisher {
 public:
  using Report = std::function<void(const PublishProgress&)>;
  using Log = std::function<void(const std::string&)>;

  Publisher(std::filesystem::path folder, std::string destination);

  PublishPlan plan();
  PublishOutcome run(const PublishPlan& plan, FileUpload& upload, const Report& report,
                     const Log& log, const std::atomic<bool>& stop);

 private:
  std::filesystem::path folder_;
  PublishManifest manifest_;
};

}  // namespace vendaro
