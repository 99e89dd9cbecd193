#include "platform/settings/FolderSettings.h"

#include "platform/AppFolder.h"

namespace vendaro {

FolderSettings FolderSettings::read(const SettingsFile& file) {
  FolderSettings settings;
  settings.output = file.text("folders", "output", "");
  return settings;
}

std::filesystem::path FolderSettings::outputFolder(const std::filesystem::path& appFolder) const {
  if (output.empty()) return appFolder;
  const std::filesystem::path folder = appFolder / output;  // an absolute `output` replaces it
  std::error_code ignored;
  std::filesystem::create_directories(folder, ignored);
  return folder;
}

std::filesystem::path FolderSettings::outputFile(const std::filesystem::path& appFolder,
                                                 const std::string& backslashName) const {
  return appFile(outputFolder(appFolder), backslashName);
}

}  // namespace vendaro
