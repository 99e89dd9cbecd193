#pragma once

#include <string>

namespace vendaro {

// A header value with its encoded words (=?UTF-8?Q?J=C3=BCrgen?=) decoded to
// UTF-8; a value without them is returned unchanged.
std::string decodedHeaderWords(const std::string& value);

}  // namespace vendaro
