#pragma once

#include <string>
#include <string_view>

namespace vendaro {

// `page` with every character outside ASCII written in ASCII, so the page
// reads the same under any character set a browser or server assumes: as a
// character reference ("&#232;") in markup and attribute values, as a "\u"
// escape inside script elements (a surrogate pair beyond U+FFFF) and as a
// CSS escape inside style elements. Bytes that are not UTF-8 are taken as
// Windows-1252, the single-byte text older item files hold. An ASCII page
// comes back unchanged.
std::string asciiPage(std::string_view page);

// Makes `page` its asciiPage, leaving an ASCII page as it is without a copy.
void makeAsciiPage(std::string& page);

}  // namespace vendaro
