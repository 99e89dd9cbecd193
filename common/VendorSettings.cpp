#include "common/VendorSettings.h"

namespace vendaro {
namespace {

std::string stripTrailingSlash(std::string address) {
  while (!address.empty() && address.back() == '/') address.pop_back();
  return address;
}

}  // namespace

VendorSettings VendorSettings::read(const SettingsFile& file) {
  VendorSettings settings;
  settings.baseUrl = stripTrailingSlash(file.address("vendor", "base_url", settings.baseUrl));
  return settings;
}

std::string VendorSettings::host() const {
  std::string rest = baseUrl;
  auto scheme = rest.find("://");
  if (scheme != std::string::npos) rest = rest.substr(scheme + 3);
  auto end = rest.find_first_of("/:?#");
  return end == std::string::npos ? rest : rest.substr(0, end);
}

std::string VendorSettings::address(const std::string& path) const {
  if (path.find("://") != std::string::npos) return path;
  return stripTrailingSlash(baseUrl) + path;
}

}  // namespace vendaro
