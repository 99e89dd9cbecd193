#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "platform/Text.h"

namespace vendaro {

// The line end the program writes.
inline constexpr std::string_view kCrLf = text::kCrLf;

// The whole content of a file, or nothing when it cannot be read.
std::optional<std::string> readWholeFile(const std::filesystem::path& path);

// Writes `content` as the whole file: first to a temporary file in the same
// folder, then renamed over the target, so a crash never leaves half a file.
// Returns false (and leaves the old file as it was) when it cannot be written.
[[nodiscard]] bool writeWholeFile(const std::filesystem::path& path, std::string_view content);

}  // namespace vendaro
