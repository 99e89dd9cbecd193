#pragma once

#include <string>
#include <string_view>

namespace vendaro {

// `value` made safe for the inside of a double-quoted script string in an
// HTML page: backslash, double quote and line breaks are escaped, and "</script"
// and "<!--" are broken up so the value can never end the script element. HTML in
// the value is kept, so a description written with document.write still
// renders as HTML. Ordinary text comes back unchanged.
std::string scriptStringText(std::string_view value);

}  // namespace vendaro
