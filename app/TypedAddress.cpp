#include "app/TypedAddress.h"

#include <algorithm>
#include <cctype>

#include "platform/Text.h"

namespace vendaro {
namespace {

std::string trimmed(const std::string& text) {
  const auto blank = [](unsigned char c) { return std::isspace(c) != 0; };
  auto begin = std::find_if_not(text.begin(), text.end(), blank);
  auto end = std::find_if_not(text.rbegin(), text.rend(), blank).base();
  return begin < end ? std::string(begin, end) : std::string();
}

bool hasScheme(const std::string& address) {
  const std::size_t colon = address.find(':');
  if (colon == std::string::npos || colon == 0) return false;
  return std::all_of(address.begin(), address.begin() + static_cast<std::ptrdiff_t>(colon),
                     [](unsigned char c) {
                       return std::isalnum(c) != 0 || c == '+' || c == '-' || c == '.';
                     }) &&
         std::isalpha(static_cast<unsigned char>(address[0])) != 0;
}

}  // namespace

bool isOpenableAddress(const std::string& typed) {
  const std::string address = trimmed(typed);
  if (address.empty()) return false;
  if (std::any_of(address.begin(), address.end(),
                  [](unsigned char c) { return std::isspace(c) != 0; })) {
    return false;
  }
  if (address.front() == '/' || hasScheme(address)) return true;
  const std::string host = text::lowerAscii(address.substr(0, address.find_first_of("/:?#")));
  return host.find('.') != std::string::npos || host == "localhost";
}

std::string addressErrorPage(const std::string& typed) {
  const std::string shown = text::htmlEscaped(typed);
  return "<html><head><title>The address could not be opened</title></head><body>"
         "<h2>The address could not be opened</h2>"
         "<p>&quot;" +
         shown +
         "&quot; is not a web address. Type an address such as "
         "http://www.example.com/ and press Enter.</p></body></html>";
}

}  // namespace vendaro
