#pragma once

#include <string>

namespace vendaro {

// Resolves `reference` (an href or src as written in a page) against the
// address `base`, the way a browser does for http, https, ftp and file
// addresses: absolute references, "//host/x", "/x", "x", "./x", "../x", "?q"
// and "#f" all give an absolute address with dot segments removed, the scheme
// and host in lower case, default ports dropped and unsafe characters
// percent-encoded. References with another kind of scheme (javascript:,
// mailto:, data:) come back as written, only trimmed. A relative reference
// that cannot be resolved (no usable base) also comes back as written.
std::string resolveUrl(const std::string& base, const std::string& reference);

// The host of an address in lower case, without user name or port; empty when
// the address has no host ("mailto:x", "about:blank", "", "page.html").
std::string hostOf(const std::string& address);

}  // namespace vendaro
