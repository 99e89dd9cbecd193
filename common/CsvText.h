#pragma once

#include <string>
#include <vector>

namespace vendaro {

// One CSV row ending in CR LF: fields with a comma, quote or line break are
// quoted, their quotes doubled.
std::string csvRow(const std::vector<std::string>& fields);

}  // namespace vendaro
