#include "store/StoreProject.h"

#include <algorithm>
#include <system_error>

#include "common/StockFile.h"
#include "common/TextFile.h"

namespace vendaro {

StoreProject::StoreProject(std::filesystem::path appFolder, std::string name)
    : appFolder_(std::move(appFolder)), name_(std::move(name)) {}

std::filesystem::path StoreProject::file(const std::string& fileName) const {
  return folder() / fileName;
}

std::filesystem::path StoreProject::categoryFile() const {
  return file(name_ + ".caa");
}
std::filesystem::path StoreProject::settingsFile() const {
  return file(name_ + ".sit");
}
std::filesystem::path StoreProject::itemListFile() const {
  return file(name_ + ".pro");
}

std::filesystem::path StoreProject::stockFile() const {
  return stockFilePath(appFolder_, name_);
}

std::optional<std::filesystem::path> StoreProject::itemFile(const std::string& category) const {
  if (!usable() || !isContainedName(category)) return std::nullopt;
  return file(category + ".pro");
}

bool StoreProject::leadsOutside(const std::filesystem::path& file) const {
  std::error_code error;
  const std::filesystem::path real = std::filesystem::weakly_canonical(file, error);
  if (error) return false;  // not there or unreadable: reading it fails anyway
  const std::filesystem::path home = std::filesystem::weakly_canonical(folder(), error);
  if (error) return true;
  return std::mismatch(home.begin(), home.end(), real.begin(), real.end()).first != home.end();
}

bool StoreProject::createFolder() const {
  if (!usable()) return false;
  std::error_code error;
  return std::filesystem::create_directory(folder(), error) && !error;
}

std::optional<std::vector<std::string>> StoreProject::readLines(
    const std::filesystem::path& file) const {
  if (!usable()) return std::nullopt;
  std::optional<std::string> text = readWholeFile(file);
  if (!text) return std::nullopt;
  return splitLines(*text);
}

bool StoreProject::writeLines(const std::filesystem::path& file,
                              const std::vector<std::string>& lines) const {
  return usable() && writeWholeFile(file, linesText(lines));
}

bool StoreProject::writeSettings(const ProjectSettings& settings) const {
  return usable() && writeWholeFile(settingsFile(), settingsFileText(settings));
}

}  // namespace vendaro
