#include "store/ShopData.h"

#include <cctype>
#include <cmath>
#include <cstdlib>

#include "platform/Text.h"
#include "store/ShopAssets.h"
#include "store/ShopText.h"

namespace vendaro {
namespace {

double numberOf(const std::string& text) {
  return text.empty() ? 0 : std::strtod(text.c_str(), nullptr);
}

std::string itemsJson(const SiteCatalogue& catalogue, const ShopPaths& paths) {
  std::string json = "[";
  const auto& categories = catalogue.categories();
  for (std::size_t k = 0; k < categories.size(); ++k) {
    for (std::size_t j = 0; j < categories[k].items.size(); ++j) {
      const ItemRecord& item = categories[k].items[j];
      if (json.size() > 1) json += ",\n";
      json += "{\"key\":" + text::jsonString(paths.itemKey(k, j)) +
              ",\"id\":" + text::jsonString(item.id) + ",\"name\":" +
              text::jsonString(item.description.empty() ? item.id : item.description) +
              ",\"price\":" + std::to_string(priceCents(catalogue.price(k, j))) +
              ",\"weight\":" + jsonNumber(numberOf(catalogue.weight(k, j))) +
              ",\"page\":" + text::jsonString(paths.productPage(k, j) + ".html") + "}";
    }
  }
  return json + "]";
}

std::string taxJson(const SiteCatalogue& catalogue) {
  std::string rates;
  for (const TaxRules::Rate& rate : catalogue.input().tax.rates) {
    if (!rates.empty()) rates += ",";
    rates += text::jsonString(text::lowerAscii(rate.place)) + ":" + jsonNumber(rate.rate);
  }
  return "{\"rate\":" + jsonNumber(numberOf(catalogue.taxRate())) + ",\"rates\":{" + rates + "}}";
}

std::string shippingJson(const StoreInput& input) {
  std::string json = "[";
  if (!input.weight) return json + "]";
  for (std::size_t m = 0; m < input.shipping.methods.size(); ++m) {
    const ShippingMethod& method = input.shipping.methods[m];
    std::string bands;
    for (const ShippingMethod::Band& band : method.bands) {
      if (!bands.empty()) bands += ",";
      bands += "[" + jsonNumber(band.upTo) + "," + std::to_string(band.cents) + "]";
    }
    if (m > 0) json += ",";
    json += "{\"name\":" + text::jsonString(method.name) +
            ",\"intake\":" + text::jsonString(ShippingRules::kIntakeNames[m]) + ",\"bands\":[" +
            bands + "],\"over\":" + std::to_string(method.overCents) + "}";
  }
  return json + "]";
}

// The relative luminance of "#rrggbb" (WCAG 2), or -1 when it is no such
// colour.
double luminance(const std::string& colour) {
  if (colour.size() != 7 || colour[0] != '#') return -1;
  double channels[3];
  for (int c = 0; c < 3; ++c) {
    char* end = nullptr;
    const std::string hex = colour.substr(1 + 2 * c, 2);
    const long value = std::strtol(hex.c_str(), &end, 16);
    if (end != hex.c_str() + 2) return -1;
    const double s = value / 255.0;
    channels[c] = s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
  }
  return 0.2126 * channels[0] + 0.7152 * channels[1] + 0.0722 * channels[2];
}

// A font family name safe inside a CSS declaration.
std::string fontFamily(const std::string& face) {
  std::string family;
  for (const char c : face) {
    if (std::isalnum(static_cast<unsigned char>(c)) || c == ' ' || c == '-') family += c;
  }
  return family.empty() ? "" : "\"" + family + "\", ";
}

}  // namespace

std::string snippetAttribute(const std::string& snippet, const std::string& attribute) {
  const std::string lower = text::lowerAscii(snippet);
  const std::string wanted = " " + text::lowerAscii(attribute) + "=";
  const std::size_t at = lower.find(wanted);
  if (at == std::string::npos) return {};
  std::size_t start = at + wanted.size();
  if (start >= snippet.size()) return {};
  const char quote = snippet[start];
  if (quote == '"' || quote == '\'') {
    const std::size_t end = snippet.find(quote, start + 1);
    return end == std::string::npos ? "" : snippet.substr(start + 1, end - start - 1);
  }
  const std::size_t end = snippet.find_first_of(" >", start);
  return snippet.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

std::string shopDataScript(const SiteCatalogue& catalogue, const ShopPaths& paths) {
  const StoreInput& input = catalogue.input();
  return "window.SHOP = {\"currency\":" + text::jsonString(input.merchant.currency) +
         ",\n\"tax\":" + taxJson(catalogue) + ",\n\"shipping\":" + shippingJson(input) +
         ",\n\"payment\":{\"link\":" + text::jsonString(input.payment.link) +
         "},\n\"items\":" + itemsJson(catalogue, paths) + "};";
}

std::string shopStyleSheet(const StoreInput& input) {
  std::string panel = text::lowerAscii(snippetAttribute(input.tableStyle, "bgcolor"));
  const double light = luminance(panel);
  if (light < 0) panel = "#e3e3e3";
  // Black or white text on the panel, whichever stands out more.
  const double panelLight = light < 0 ? luminance(panel) : light;
  const std::string panelText =
      (panelLight + 0.05) / 0.05 >= 1.05 / (panelLight + 0.05) ? "#111111" : "#ffffff";
  return ":root{--panel:" + panel + ";--panel-text:" + panelText +
         ";--font:" + fontFamily(snippetAttribute(input.fontStyle, "face")) +
         "system-ui, sans-serif}\n" + kShopStyleResource;
}

}  // namespace vendaro
