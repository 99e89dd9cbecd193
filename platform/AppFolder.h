#pragma once

#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>

namespace vendaro {

class AppFolderError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The environment variables the application folder may come from.
struct AppFolderEnvironment {
  std::optional<std::string> vendaroHome;  // VENDARO_HOME
  std::optional<std::string> xdgDataHome;  // XDG_DATA_HOME
  std::optional<std::string> home;         // HOME

  static AppFolderEnvironment fromProcess();
};

// Finds the folder that holds the program's files: `--app-folder DIR` first,
// else VENDARO_HOME, else $XDG_DATA_HOME/vendaro (~/.local/share/vendaro).
// The folder is created when missing; a folder that cannot be created throws
// AppFolderError. The result is absolute.
std::filesystem::path resolveAppFolder(const std::optional<std::string>& commandLineFolder,
                                       const AppFolderEnvironment& environment);

// The file named by the application folder followed by a backslash name such
// as "\lb.prv": the same name directly inside the folder.
std::filesystem::path appFile(const std::filesystem::path& folder,
                              const std::string& backslashName);

}  // namespace vendaro
