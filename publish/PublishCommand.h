#pragma once

#include <filesystem>
#include <ostream>
#include <string>

#include "platform/FileUpload.h"

namespace vendaro {

// The environment variable that may carry the publishing password.
inline constexpr const char* kPublishPasswordVariable = "VENDARO_PUBLISH_PASSWORD";

// The options of `vendaro publish`.
struct PublishOptions {
  std::filesystem::path appFolder;  // already resolved
  std::string project;
  // Empty: the destination and user the project was last published to.
  UploadDestination destination;
  // A file whose first line is the password; empty: VENDARO_PUBLISH_PASSWORD,
  // or no password (an SSH key or the agent).
  std::filesystem::path passwordFile;
  bool dryRun = false;
  bool terminal = false;  // progress on one rewritten line
};

// Publishes the project folder {appFolder}/{project}: uploads what changed
// since the last run to that destination (with `dryRun`, lists it only),
// prints each file uploaded and, on a terminal, the progress in files and
// bytes. Returns 0 when every file is in place; kExitError with messages on
// `err` for a bad project or destination, a refused file, or a failed upload.
int runPublishCommand(const PublishOptions& options, std::ostream& out, std::ostream& err);

}  // namespace vendaro
