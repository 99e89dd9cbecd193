#pragma once

#include <filesystem>
#include <string>

#include "platform/settings/SettingsFile.h"

namespace vendaro {

// [folders]: where the files go that are written outside a store project
// (image-buffer spill pages, reports, background pages, submission pages).
struct FolderSettings {
  // Empty: the application folder. A relative folder is inside the
  // application folder.
  std::filesystem::path output;

  static FolderSettings read(const SettingsFile& file);

  // The output folder for `appFolder`, created when missing (a failure shows
  // when the file is written).
  std::filesystem::path outputFolder(const std::filesystem::path& appFolder) const;
  // A backslash name such as "\report.htm" inside the output folder.
  std::filesystem::path outputFile(const std::filesystem::path& appFolder,
                                   const std::string& backslashName) const;
};

}  // namespace vendaro
