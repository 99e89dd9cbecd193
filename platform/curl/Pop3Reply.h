#pragma once

#include <optional>
#include <string>
#include <vector>

namespace vendaro {

// Reading the one-line replies that libcurl hands to the header callback of a
// POP3 transfer (greeting, capability lines, then the command's "+OK ...").
namespace pop3reply {

// The last line that starts with "+OK", without its line end; empty when none.
std::string lastOk(const std::vector<std::string>& lines);
// The last line that starts with "-ERR", without its line end; empty when none.
std::string lastError(const std::vector<std::string>& lines);

// "+OK 3 1200" (STAT): the message count.
std::optional<int> statCount(const std::string& okLine);
// "+OK 2 000000016b1530fd" (UIDL n): the unique id.
std::optional<std::string> uidlId(const std::string& okLine);
// "+OK 1200 octets" (RETR): the announced size; nothing when not announced.
std::optional<long> retrSize(const std::string& okLine);

// The text with every line ending in CR LF (a bare LF gains its CR).
std::string withCrLf(const std::string& text);

}  // namespace pop3reply
}  // namespace vendaro
