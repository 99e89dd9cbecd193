#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vendaro {

// Reading the response lines of an IMAP server (RFC 3501) and writing the
// arguments of its commands. A line is given without its CR LF; a literal
// ("{n}" at a line end, then n bytes) is read by the session, not here.
namespace imapreply {

// "A7 OK [READ-WRITE] done": the status word after the tag ("OK", "NO",
// "BAD"); empty when the line is not tagged with `tag`.
std::string taggedStatus(std::string_view line, std::string_view tag);
// The text after the tag and status word, for messages.
std::string statusText(std::string_view line);

// "* 12 EXISTS" with `word` "EXISTS": 12.
std::optional<std::uint32_t> untaggedCount(std::string_view line, std::string_view word);
// "* OK [UIDVALIDITY 3857529045] UIDs valid" with `code` "UIDVALIDITY": 3857529045.
std::optional<std::uint32_t> responseCodeNumber(std::string_view line, std::string_view code);
// True when a "* CAPABILITY" line, or a "[CAPABILITY ...]" response code,
// lists `name` (letter case ignored).
bool listsCapability(std::string_view line, std::string_view name);
// "* BYE ...": the server ends the connection.
bool isBye(std::string_view line);

// "{1234}" or "{1234+}" at the end of a line: 1234.
std::optional<std::size_t> literalSize(std::string_view line);

// The number after the item name `item` inside a FETCH response,
// "* 3 FETCH (UID 17 RFC822.SIZE 2048)" with "UID": 17.
std::optional<std::uint64_t> fetchItem(std::string_view line, std::string_view item);

// "* LIST (\HasNoChildren) "/" INBOX": the hierarchy delimiter; nothing for NIL.
std::optional<char> listDelimiter(std::string_view line);

// A mailbox name as a quoted string. Names are refused beforehand unless
// they are printable ASCII (MailSettings::isPlainFolderName).
std::string quoted(std::string_view text);

// A UID set in the short form: "3:5,9".
std::string uidSet(const std::vector<std::uint32_t>& sortedUids);

}  // namespace imapreply
}  // namespace vendaro
