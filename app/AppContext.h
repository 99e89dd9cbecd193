#pragma once

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>

#include "platform/Settings.h"

namespace vendaro {

// The exit code of a run that could not start or do its job.
constexpr int kExitError = 2;

// What every command of the program starts from: the application folder and
// the settings read from it.
struct AppContext {
  std::filesystem::path folder;
  Settings settings;
};

// Resolves the application folder (`--app-folder` first, then the
// environment) and reads its settings. On failure writes a message that
// names the problem to `errors` and returns nothing.
std::optional<AppContext> openAppContext(const std::optional<std::string>& folderOption,
                                         std::ostream& errors);

}  // namespace vendaro
