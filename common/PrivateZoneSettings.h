#pragma once

#include <string>

#include "platform/settings/SettingsFile.h"

namespace vendaro {

// [private_zone]: the private zone's pages on the vendor site (a path there,
// or a full address) and the parental password.
struct PrivateZoneSettings {
  std::string startPage = "/private/start.htm";
  std::string searchList = "/private/search.txt";
  std::string channelList = "/private/channels.txt";
  std::string parentalPassword = "red fox den";

  static PrivateZoneSettings read(const SettingsFile& file) {
    PrivateZoneSettings settings;
    settings.startPage = file.addressOrPath("private_zone", "start_page", settings.startPage);
    settings.searchList = file.addressOrPath("private_zone", "search_list", settings.searchList);
    settings.channelList = file.addressOrPath("private_zone", "channel_list", settings.channelList);
    settings.parentalPassword =
        file.text("private_zone", "parental_password", settings.parentalPassword);
    return settings;
  }
};

}  // namespace vendaro
