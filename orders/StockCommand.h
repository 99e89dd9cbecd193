#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <ostream>

namespace vendaro {

// `vendaro stock [--low N]`: takes over the merchant's counts, brings the
// project files up to date and lists every counted item with its quantity on
// hand (only those at N or fewer with `low`). Exit code 2 when the order
// database cannot be used.
int runStockCommand(const std::filesystem::path& appFolder, std::optional<std::int64_t> low,
                    std::ostream& out, std::ostream& err);

}  // namespace vendaro
