#pragma once

#include <string>
#include <string_view>

namespace vendaro {

// The value between `name` + "=" and the next `terminator` after it, both
// searched with letter case ignored. Empty when the name or the terminator is
// missing ("CITY" and "&" in "NAME=Ann&CITY=Rome&" give "Rome").
std::string GetFieldValue(std::string_view text, std::string_view name,
                          std::string_view terminator);

// The rest of the line after the first `label` (letter case ignored), without
// the CR LF. Empty when the label is missing or no CR LF follows it.
std::string GetLineValue(std::string_view text, std::string_view label);

}  // namespace vendaro
