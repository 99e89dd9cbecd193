#pragma once

#include <string>
#include <vector>

#include "common/MerchantSettings.h"
#include "common/ShopRules.h"
#include "common/StockFile.h"

namespace vendaro {

// One product: a line of seven "^"-terminated fields in an item file.
struct ItemRecord {
  std::string id;              // Text1(2)
  std::string description;     // Text1(5)
  std::string price;           // Text1(4), as typed
  std::string pictureUrl;      // Text1(6)
  std::string descriptionUrl;  // Text1(3)
  std::string manufacturer;    // Text8
  std::string weight;          // Text9, as typed
};

struct StoreCategory {
  std::string name;  // as typed; also the item file name and the list page name
  std::vector<ItemRecord> items;
};

enum class SiteLayout { BannerAndContents, ContentsOnly, Responsive };  // Option1, Option2, Option3

// Everything the site generator reads from the store wizard at the moment
// "Generate" or "Update" runs. The generator is a pure function of this.
struct StoreInput {
  std::string vendorHost;           // host of the vendor site (settings)
  std::string vendorSite;           // its base address, port included; empty: "http://" + host
  std::string startFile = "index";  // Text14
  SiteLayout layout = SiteLayout::BannerAndContents;
  bool manufacturer = false;    // Check1
  bool descriptionUrl = false;  // Check3
  bool pictureUrl = false;      // Check2
  bool weight = false;          // Check4
  // Snippet boxes of the "Settings" tab and the tax box.
  std::string emailAction;          // Text5
  std::string goBackUrl;            // Text4
  std::string fontStyle;            // Text3
  std::string tableStyle;           // Text2
  std::string formAction;           // Text7
  std::string salesTax = "0.0825";  // Text15
  // Not empty: the e-mail order pages post to "order.php", written too,
  // which mails the orders to this address (instead of a mailto: form).
  std::string orderScriptAddress{};
  // Hidden order-page templates.
  std::string template10, template11, template12, template13, template16, template17;
  std::vector<StoreCategory> categories;  // in Combo1 order
  // Read by the responsive layout only: the settings file's sections and the
  // address the site is published at (canonical links; empty: none).
  MerchantSettings merchant;
  TaxRules tax;
  ShippingRules shipping;
  PaymentSettings payment;
  std::string siteAddress;
  // The quantities on hand of the counted items: the responsive layout shows
  // an item at 0 as sold out.
  StockCounts stock = {};

  // The vendor site as the pages link to it, without a closing "/".
  std::string vendorSiteAddress() const {
    return vendorSite.empty() ? "http://" + vendorHost : vendorSite;
  }
};

// One file of the generated site: its base name (written as base +
// extension) and its page text (written followed by one CR LF).
struct SitePage {
  std::string baseName;
  std::string text;
  std::string extension = ".htm";

  std::string fileName() const { return baseName + extension; }
};

// A value the generator could not use as it stood, and what it wrote instead.
struct GeneratorReport {
  std::string category;
  std::string itemId;
  std::string message;
};

}  // namespace vendaro
