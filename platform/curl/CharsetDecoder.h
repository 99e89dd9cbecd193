#pragma once

#include <string>
#include <string_view>

namespace vendaro {

// Turns the bytes of a fetched page into UTF-8, choosing the character set
// the way a browser does: a byte-order mark, then the charset of the HTTP
// Content-Type header, then a META charset or http-equiv Content-Type in the
// first 1024 bytes, then UTF-8 when the bytes are valid UTF-8, else
// windows-1252. ISO-8859-1 and US-ASCII are read as windows-1252, as browsers
// do. Bytes that are invalid in the chosen set become U+FFFD.
class CharsetDecoder {
 public:
  static std::string decode(std::string_view bytes, std::string_view contentType);

  // The charset named in a Content-Type value, lower case; empty when none.
  static std::string charsetOfContentType(std::string_view contentType);
  // The charset declared by a META tag in the first 1024 bytes; empty when none.
  static std::string charsetOfMeta(std::string_view bytes);
  // `bytes` in `charset` converted to UTF-8; empty charset names are not
  // allowed. Returns false when the charset is unknown.
  static bool convert(std::string_view bytes, const std::string& charset, std::string& utf8);
  static bool isValidUtf8(std::string_view bytes);
};

}  // namespace vendaro
