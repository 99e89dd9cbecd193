#include "publish/PublishCommand.h"

#include <cstdlib>
#include <fstream>
#include <memory>
#include <optional>
#include <stdexcept>
#include <system_error>

#include "common/CommandLine.h"
#include "common/FileNames.h"
#include "platform/ControlEscapingBuffer.h"
#include "platform/curl/CurlFileUpload.h"
#include "publish/PublishMemory.h"
#include "publish/Publisher.h"

namespace vendaro {
namespace {

namespace fs = std::filesystem;

constexpr const char* kPrefix = "vendaro publish: ";

std::optional<std::string> readPassword(const PublishOptions& options, std::ostream& err) {
  if (options.passwordFile.empty()) {
    const char* value = std::getenv(kPublishPasswordVariable);
    return std::string(value ? value : "");
  }
  std::ifstream file(options.passwordFile, std::ios::binary);
  std::string line;
  if (!file || !std::getline(file, line)) {
    err << kPrefix << "cannot read the password file " << options.passwordFile.string() << "\n";
    return std::nullopt;
  }
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line;
}

// The destination given, or the one the folder was last published to.
UploadDestination chooseDestination(const PublishOptions& options, const fs::path& folder) {
  UploadDestination destination = options.destination;
  if (destination.url.empty()) {
    const PublishMemory memory = PublishMemory::read(folder);
    destination.url = memory.destination;
    if (destination.user.empty()) destination.user = memory.user;
  }
  return destination;
}

// Progress on one line of the terminal, rewritten in place.
void showProgress(const PublishProgress& progress, std::ostream& err) {
  err << TerminalControl{"\r\033[K"} << progress.filesDone << "/" << progress.filesTotal << " files, "
      << progress.bytesDone << "/" << progress.bytesTotal << " bytes";
  if (!progress.current.empty()) err << "  " << progress.current;
  err.flush();
}

int listPlan(const PublishPlan& plan, std::ostream& out) {
  for (const SiteFile& file : plan.changed) {
    out << "would upload " << file.name << " (" << file.size << " bytes)\n";
  }
  out << plan.changed.size() << " files (" << plan.bytes() << " bytes) would go up, "
      << plan.unchanged << " unchanged\n";
  return plan.refused.empty() ? 0 : kExitError;
}

}  // namespace

int runPublishCommand(const PublishOptions& options, std::ostream& out, std::ostream& err) {
  if (!isContainedName(options.project)) {
    err << kPrefix << "the project name \"" << options.project
        << "\" must not be empty, \".\" or \"..\", and must not contain \"/\" or \"\\\"\n";
    return kExitError;
  }
  const fs::path folder = options.appFolder / options.project;
  std::error_code error;
  if (!fs::is_directory(folder, error)) {
    err << kPrefix << "no project \"" << options.project << "\" in " << options.appFolder.string()
        << "\n";
    return kExitError;
  }
  UploadDestination destination = chooseDestination(options, folder);
  if (destination.url.empty()) {
    err << kPrefix << "no destination: give --to with an sftp://, ftps:// or file:// address\n";
    return kExitError;
  }
  const std::optional<std::string> password = readPassword(options, err);
  if (!password) return kExitError;
  destination.password = *password;
  std::unique_ptr<CurlFileUpload> upload;
  try {
    upload = std::make_unique<CurlFileUpload>(destination);
  } catch (const std::exception& problem) {
    err << kPrefix << problem.what() << "\n";
    return kExitError;
  }

  Publisher publisher(folder, destination.url);
  const PublishPlan plan = publisher.plan();
  for (const std::string& refused : plan.refused)
    err << kPrefix << "not published: " << refused << "\n";
  if (options.dryRun) return listPlan(plan, out);
  PublishMemory{destination.url, destination.user}.write(folder);

  const std::atomic<bool> stop = false;
  const PublishOutcome outcome = publisher.run(
      plan, *upload,
      [&](const PublishProgress& progress) {
        if (options.terminal) showProgress(progress, err);
      },
      [&](const std::string& line) {
        if (options.terminal) err << TerminalControl{"\r\033[K"};
        (line.starts_with("failed") ? err : out) << line << "\n";
      },
      stop);
  if (options.terminal) err << "\n";
  out << "published " << outcome.uploaded << " of " << plan.changed.size() << " changed files, "
      << plan.unchanged << " unchanged\n";
  if (!outcome.complete()) {
    err << kPrefix << "the site is not complete; run the command again to finish it\n";
    return kExitError;
  }
  return plan.refused.empty() ? 0 : kExitError;
}

}  // namespace vendaro
