#pragma once

#include <string>

#include "common/ShopRules.h"

namespace vendaro {

// Small texts of the responsive shop's pages.

// An amount as the shop shows it: "$22.40", "€22.40"; a currency written in
// letters stands apart ("EUR 22.40").
std::string shownMoney(long long cents, const std::string& currency);
// An amount as the order form posts it: "22.40".
std::string plainMoney(long long cents);
// A number as JSON writes it: the shortest text that reads back as the same
// double.
std::string jsonNumber(double value);
// The ISO 4217 code of a currency as typed: "$" is "USD", "€" "EUR", "£"
// "GBP", "¥" "JPY"; three letters stand for themselves; otherwise empty.
std::string currencyCode(const std::string& currency);
// `name` below the site address (which ends up with "/"); empty without an
// address.
std::string siteAddressOf(const std::string& siteAddress, const std::string& name);

}  // namespace vendaro
