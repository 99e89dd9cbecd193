#pragma once

#include <string>
#include <vector>

#include "platform/SettingsFile.h"

namespace vendaro {

// [merchant]: who sells. The responsive shop shows it in its header, footer,
// terms and privacy pages; invoices read the same table, so further keys
// (tax number, payment note, invoice numbering, paper) belong here too.
struct MerchantSettings {
  std::string name;                  // the shop's name; empty: "On-Line Store"
  std::vector<std::string> address;  // lines; a text is one line
  std::string email;
  std::string phone;
  std::string logo;     // picture address, relative to the site or http(s)
  std::string terms;    // text of the terms page; paragraphs split at empty lines
  std::string privacy;  // text of the privacy page
  std::string currency = "$";

  static MerchantSettings read(const SettingsFile& file);

  // The name shown for the shop.
  std::string shopName() const;
};

}  // namespace vendaro
