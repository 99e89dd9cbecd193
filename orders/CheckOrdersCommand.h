#pragma once

#include <filesystem>
#include <ostream>

namespace vendaro {

// `vendaro check-orders`: checks every stored order again against the
// published records of `appFolder` (for example after importing old
// orders), keeps the verdicts, prints each order that is not "ok" and a
// count of each verdict. Returns 0, or 2 with a message when there is no
// order database or it cannot be read or written.
int runCheckOrdersCommand(const std::filesystem::path& appFolder, std::ostream& out,
                          std::ostream& err);

}  // namespace vendaro
