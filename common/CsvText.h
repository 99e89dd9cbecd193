#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vendaro {

// The one CSV writer of every `--csv` listing. One row ending in CR LF:
// fields with a comma, quote or line break are quoted, their quotes doubled.
// A cell a spreadsheet would run as a formula (its first non-blank
// character is =, +, -, @, or it starts with a tab or CR) gets a leading
// "'", so customer text stays text; a plain number such as "-2.50" is left
// as it is.
std::string csvRow(const std::vector<std::string>& fields);

// One cell as `csvRow` writes it.
std::string csvField(std::string_view value);

}  // namespace vendaro
