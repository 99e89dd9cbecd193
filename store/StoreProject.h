#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "store/ProjectFiles.h"

namespace vendaro {

// The folder of one store project, {application folder}/{name}, and its
// files. A name that would leave the application folder (see
// isContainedName) gives an unusable project: nothing is read or written.
class StoreProject {
 public:
  StoreProject(std::filesystem::path appFolder, std::string name);

  const std::string& name() const { return name_; }
  const std::filesystem::path& appFolder() const { return appFolder_; }
  bool usable() const { return isContainedName(name_); }
  std::filesystem::path folder() const { return appFolder_ / name_; }

  // {project}.caa, {project}.sit, {project}.pro and {category}.pro.
  std::filesystem::path categoryFile() const;
  std::filesystem::path settingsFile() const;
  std::filesystem::path itemListFile() const;
  // {project}.stk: the quantities on hand of the counted items.
  std::filesystem::path stockFile() const;
  // Empty when the category name would leave the project folder.
  std::optional<std::filesystem::path> itemFile(const std::string& category) const;

  // True when `file` is, or lies in, a symbolic link that leads outside the
  // project folder: such a file is not read, so a link to any file of the
  // system can never be published.
  bool leadsOutside(const std::filesystem::path& file) const;

  // Creates the project folder; false when it exists or cannot be made.
  bool createFolder() const;

  // Lines of a project file, or nothing when it cannot be read.
  std::optional<std::vector<std::string>> readLines(const std::filesystem::path& file) const;
  // Writes every line followed by CR LF as the whole file.
  bool writeLines(const std::filesystem::path& file, const std::vector<std::string>& lines) const;

  bool writeSettings(const ProjectSettings& settings) const;

 private:
  std::filesystem::path file(const std::string& fileName) const;

  std::filesystem::path appFolder_;
  std::string name_;
};

}  // namespace vendaro
