#include "common/VendorSettings.h"

#include <optional>

#include "platform/url/WebAddress.h"

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
  if (std::optional<AddressParts> parts = addressParts(baseUrl)) return parts->host;
  return {};
}

std::string VendorSettings::address(const std::string& path) const {
  if (path.find("://") != std::string::npos) return path;
  return stripTrailingSlash(baseUrl) + path;
}

}  // namespace vendaro
