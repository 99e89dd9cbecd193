#pragma once

#include <string>

#include "platform/settings/SettingsFile.h"

namespace vendaro {

// [vendor]: the maker's web site. The main window opens its welcome page and
// fetches its lists; the store generator names its host; the private zone
// reads its pages from it.
struct VendorSettings {
  std::string baseUrl = "http://www.vendaro.example";

  static VendorSettings read(const SettingsFile& file);

  // The host part of the base address ("www.vendaro.example").
  std::string host() const;
  // The base address followed by `path`; a full address stays as it is.
  std::string address(const std::string& path) const;
};

}  // namespace vendaro
