#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace vendaro {

// The text of a mail as the order reader wants it: the header lines exactly
// as they came, then the first text/plain body part with its transfer
// encoding (quoted-printable, base64) undone and its charset converted to
// UTF-8, lines ending in CR LF. A plain 7-bit or 8-bit single-part mail, and
// a mail that cannot be parsed, is returned unchanged.
std::string decodedMailText(const std::string& rawMail);

// A mail date ("Mon, 06 May 2024 10:00:00 +0000") as seconds since 1970 UTC;
// nothing when it cannot be read.
std::optional<std::int64_t> mailDateSeconds(const std::string& date);
// A header value with its RFC 2047 encoded words ("=?utf-8?q?Online_Order?=")
// decoded to UTF-8; text without encoded words comes back unchanged.
std::string decodedHeaderText(const std::string& value);

}  // namespace vendaro
