#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vendaro {

// An absolute address ("scheme://user@host:port/path...") split by
// libcurl's URL parser. Every part is as written but the user name,
// which is percent-decoded; absent parts are empty.
struct AddressParts {
  std::string scheme;  // lower case
  std::string user;
  std::string host;  // as written; an IPv6 host in brackets; empty for "file:///x"
  std::string port;  // empty when none was written
  std::string path;
};

// The parts of `address`, any scheme; nullopt for an address without "//"
// after its scheme ("mailto:x", "about:blank", "page.html") or one the
// parser refuses.
std::optional<AddressParts> addressParts(std::string_view address);

// The host of an address in lower case, without user name or port; empty when
// the address has no host.
std::string hostOf(std::string_view address);

// The host and port of an address as written, without user name
// ("Shop.example:8080"); empty when it has no host.
std::string siteOf(std::string_view address);

// "scheme://host[:port]" of an address in lower case, the scheme's default
// port left out: two addresses of one origin give the same text. Empty when
// the address has no host.
std::string originOf(std::string_view address);

}  // namespace vendaro
