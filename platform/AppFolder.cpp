#include "platform/AppFolder.h"

#include <cstdlib>

namespace vendaro {
namespace {

std::optional<std::string> environmentValue(const char* name) {
  const char* value = std::getenv(name);
  if (value == nullptr || *value == '\0') return std::nullopt;
  return std::string(value);
}

std::filesystem::path chooseFolder(const std::optional<std::string>& commandLineFolder,
                                   const AppFolderEnvironment& environment) {
  if (commandLineFolder && !commandLineFolder->empty()) return *commandLineFolder;
  if (environment.vendaroHome) return *environment.vendaroHome;
  if (environment.xdgDataHome) return std::filesystem::path(*environment.xdgDataHome) / "vendaro";
  if (environment.home) {
    return std::filesystem::path(*environment.home) / ".local" / "share" / "vendaro";
  }
  throw AppFolderError(
      "No application folder: give --app-folder DIR, or set VENDARO_HOME or HOME.");
}

}  // namespace

AppFolderEnvironment AppFolderEnvironment::fromProcess() {
  return {environmentValue("VENDARO_HOME"), environmentValue("XDG_DATA_HOME"),
          environmentValue("HOME")};
}

std::filesystem::path resolveAppFolder(const std::optional<std::string>& commandLineFolder,
                                       const AppFolderEnvironment& environment) {
  std::filesystem::path folder = chooseFolder(commandLineFolder, environment);
  std::error_code ec;
  folder = std::filesystem::absolute(folder, ec);
  if (ec) throw AppFolderError("Cannot use the application folder " + folder.string());
  // A folder made here holds customers' orders: private to the user.
  const bool made = std::filesystem::create_directories(folder, ec);
  if (made && !ec) {
    std::filesystem::permissions(folder, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::replace, ec);
  }
  if (ec || !std::filesystem::is_directory(folder)) {
    throw AppFolderError("Cannot create the application folder " + folder.string() + ": " +
                         (ec ? ec.message() : std::string("not a folder")));
  }
  return folder;
}

std::filesystem::path appFile(const std::filesystem::path& folder,
                              const std::string& backslashName) {
  std::string name = backslashName;
  while (!name.empty() && (name.front() == '\\' || name.front() == '/')) name.erase(0, 1);
  return folder / name;
}

}  // namespace vendaro
