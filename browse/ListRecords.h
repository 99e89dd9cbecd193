#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vendaro {

// One record of a channel or search-engine list: a menu caption and the
// address it opens.
struct ListRecord {
  std::string caption;
  std::string address;
  bool operator==(const ListRecord&) const = default;
};

// How much of a list answer is read; the rest is ignored.
inline constexpr std::size_t kListReadSize = 12000;

// The records of a list text "caption<address>caption<address>...". Text
// between a ">" and the next "<" is the next caption, line breaks included.
// The search for a record's "<" and ">" starts one character after the
// record's first character. Parsing stops after a record followed by 4
// characters or fewer, after a record without ">" (its address is empty),
// and when no further "<" follows.
std::vector<ListRecord> parseListRecords(std::string_view text);

// The address a list record may open: http and https addresses as they are,
// a path without scheme as that path on the vendor site (`vendorBase` has no
// trailing slash); empty for anything else (javascript:, file:, "//host",
// an empty address), which is then left out of the menus.
std::string acceptedListAddress(const std::string& address, const std::string& vendorBase);

}  // namespace vendaro
