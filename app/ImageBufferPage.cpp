#include "app/ImageBufferPage.h"

namespace vendaro {
namespace {

std::string attributeSafe(const std::string& address) {
  std::string safe;
  safe.reserve(address.size());
  for (char c : address) {
    if (c == '\'') {
      safe += "%27";
    } else {
      safe += c;
    }
  }
  return safe;
}

}  // namespace

std::string imageBufferPage(const std::vector<std::string>& addresses) {
  std::string page = "<html><body>";
  for (const auto& address : addresses) page += "<img src='" + attributeSafe(address) + "'>";
  page += "</body></html>";
  return page;
}

}  // namespace vendaro
