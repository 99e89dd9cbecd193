#pragma once

#include <string>
#include <string_view>

namespace vendaro::text {

// `text` without the blanks, tabs and line breaks at its ends.
std::string trimmed(std::string_view text);

}  // namespace vendaro::text
