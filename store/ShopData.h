#pragma once

#include <string>

#include "store/ShopPaths.h"
#include "store/SiteCatalogue.h"

namespace vendaro {

// "catalogue.js" of the responsive shop: every item with its basket key,
// price in cents and weight, and the rules the checkout applies (currency,
// sales tax rates, shipping methods when shipping is by weight, payment
// link), as one JSON object in window.SHOP.
std::string shopDataScript(const SiteCatalogue& catalogue, const ShopPaths& paths);

// "shop.css": the shop's style sheet, led by the merchant's colours and font
// taken from the wizard's table and font snippets.
std::string shopStyleSheet(const StoreInput& input);

// The value of `attribute` in the first tag of an HTML snippet ("face",
// "bgcolor"), or empty.
std::string snippetAttribute(const std::string& snippet, const std::string& attribute);

}  // namespace vendaro
