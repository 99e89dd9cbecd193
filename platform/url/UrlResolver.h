#pragma once

#include <string>

namespace vendaro {

// References are resolved here rather than by libcurl's URL parser, which
// (libcurl 7.88) drops the path and query of the base for "#f" and the file
// name for "", writes escapes in lower case and turns blanks in a query into
// "+", where browsers do neither.
//
// Resolves `reference` (an href or src as written in a page) against the
// address `base`, the way a browser does for http, https, ftp and file
// addresses: absolute references, "//host/x", "/x", "x", "./x", "../x", "?q"
// and "#f" all give an absolute address with dot segments removed, the scheme
// and host in lower case, default ports dropped and unsafe characters
// percent-encoded. References with another kind of scheme (javascript:,
// mailto:, data:) come back as written, only trimmed. A relative reference
// that cannot be resolved (no usable base) also comes back as written.
std::string resolveUrl(const std::string& base, const std::string& reference);

}  // namespace vendaro
