#include "browse/ListRecords.h"

#include "platform/Text.h"

namespace vendaro {
namespace {

constexpr std::size_t kMinimumRest = 5;

}  // namespace

std::vector<ListRecord> parseListRecords(std::string_view text) {
  std::vector<ListRecord> records;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t open = text.find('<', start + 1);
    if (open == std::string_view::npos) break;
    const std::size_t close = text.find('>', start + 1);
    ListRecord record{std::string(text.substr(start, open - start)), ""};
    // A ">" before the "<" ends no address either.
    if (close == std::string_view::npos || close < open) {
      records.push_back(std::move(record));
      break;
    }
    record.address = std::string(text.substr(open + 1, close - open - 1));
    records.push_back(std::move(record));
    start = close + 1;
    if (text.size() - start < kMinimumRest) break;
  }
  return records;
}

std::string acceptedListAddress(const std::string& address, const std::string& vendorBase) {
  if (address.empty() || address.rfind("//", 0) == 0) return {};
  const std::size_t colon = address.find(':');
  const std::size_t pathStart = address.find_first_of("/?#");
  const bool hasScheme = colon != std::string::npos && colon < pathStart;
  if (hasScheme) {
    return text::isWebAddress(address) ? address : std::string{};
  }
  return vendorBase + (address.front() == '/' ? "" : "/") + address;
}

}  // namespace vendaro
