#pragma once

#include <optional>
#include <ostream>
#include <string>

#include "common/CommandLine.h"

namespace vendaro {

// Reads the shared sections of `context.settings` and lets every part of the
// program check its own; throws SettingsError on a bad value.
void readSections(AppContext& context);

// Resolves the application folder (`--app-folder` first, then the
// environment) and reads its settings. On failure writes a message that
// names the problem to `errors` and returns nothing; unknown keys are
// reported there as warnings.
std::optional<AppContext> openAppContext(const std::optional<std::string>& folderOption,
                                         std::ostream& errors);

}  // namespace vendaro
