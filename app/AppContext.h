#pragma once

#include <optional>
#include <ostream>
#include <string>

#include "common/CommandLine.h"

namespace vendaro {

// Resolves the application folder (`--app-folder` first, then the
// environment) and reads its settings. On failure writes a message that
// names the problem to `errors` and returns nothing.
std::optional<AppContext> openAppContext(const std::optional<std::string>& folderOption,
                                         std::ostream& errors);

}  // namespace vendaro
