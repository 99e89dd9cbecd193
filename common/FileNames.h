#pragma once

#include <string_view>

namespace vendaro {

// True when `name` names an entry directly inside a folder: not empty, not
// "." or "..", and without "/", "\" or a NUL character. Names the user gives
// become folder and file names (store projects, categories, pages), so any
// other name is refused.
bool isContainedName(std::string_view name);

}  // namespace vendaro
