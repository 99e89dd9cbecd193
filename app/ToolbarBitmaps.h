#pragma once

#include <optional>
#include <string_view>

namespace vendaro {

// The default picture of a toolbar bitmap file ("back1.bmp"), drawn at build
// time from the Breeze icon theme; nothing for a name the toolbar does not use.
std::optional<std::string_view> defaultToolbarBitmap(std::string_view name);

}  // namespace vendaro
