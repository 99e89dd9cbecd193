#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace vendaro {

// The quantities on hand of a shop's items, by item ID. An item without an
// entry is not counted: it is never sold out and no order changes it.
using StockCounts = std::map<std::string, std::int64_t>;

// A project's counts live beside its item files in {project}.stk, one line
// per counted item, "ID^count^" and CR LF, sorted by ID. The store wizard
// writes the counts the merchant types; the order side writes the counts
// after orders changed them.
std::filesystem::path stockFilePath(const std::filesystem::path& appFolder,
                                    const std::string& project);

std::string stockFileText(const StockCounts& counts);
// Lines that are not "ID^whole number^" are left out.
StockCounts parseStockFile(std::string_view text);

// The counts of the file; none (and no error) when it does not exist.
StockCounts readStockFile(const std::filesystem::path& file);
// Writes the whole file at once (or removes it when nothing is counted);
// false when it cannot.
[[nodiscard]] bool writeStockFile(const std::filesystem::path& file, const StockCounts& counts);

// A count as the merchant types it: empty is "not counted"; anything but a
// whole number from 0 to 999999999 is refused (nothing).
std::optional<std::optional<std::int64_t>> typedStockCount(std::string_view text);

}  // namespace vendaro
