#include "store/ShopText.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "platform/Text.h"

namespace vendaro {

std::string plainMoney(long long cents) {
  const bool negative = cents < 0;
  const long long whole = std::llabs(cents);
  char text[32];
  std::snprintf(text, sizeof text, "%s%lld.%02lld", negative ? "-" : "", whole / 100, whole % 100);
  return text;
}

std::string shownMoney(long long cents, const std::string& currency) {
  for (const char c : currency) {
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) return currency + " " + plainMoney(cents);
  }
  return currency + plainMoney(cents);
}

std::string jsonNumber(double value) {
  if (!std::isfinite(value)) return "0";
  char text[64];
  const auto result = std::to_chars(text, text + sizeof text, value);
  return std::string(text, result.ptr);
}

std::string currencyCode(const std::string& currency) {
  if (currency == "$") return "USD";
  if (currency == "\xE2\x82\xAC") return "EUR";
  if (currency == "\xC2\xA3") return "GBP";
  if (currency == "\xC2\xA5") return "JPY";
  if (currency.size() == 3 && std::isalpha(static_cast<unsigned char>(currency[0])) &&
      std::isalpha(static_cast<unsigned char>(currency[1])) &&
      std::isalpha(static_cast<unsigned char>(currency[2]))) {
    return text::upperAscii(currency);
  }
  return {};
}

std::string siteAddressOf(const std::string& siteAddress, const std::string& name) {
  if (siteAddress.empty()) return {};
  return siteAddress + (siteAddress.back() == '/' ? "" : "/") + name;
}

}  // namespace vendaro
