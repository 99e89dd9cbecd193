#include "common/ShopRules.h"

#include <cmath>
#include <cstdlib>

#include "platform/Text.h"

namespace vendaro {
namespace {

constexpr double kMaxWeight = 1e9;
constexpr double kMaxPrice = 1e9;

long long toCents(double amount) {
  return static_cast<long long>(std::floor(amount * 100 + 0.5));
}

std::string trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// One method from "[[shipping.methods]]" number `index`.
ShippingMethod readMethod(const SettingsFile& file, std::size_t index) {
  const std::string section = "shipping.methods." + std::to_string(index);
  ShippingMethod method;
  method.name = file.text(section, "name", "");
  if (method.name.empty()) {
    throw SettingsError(file.lineOf(section, "name") + "[[shipping.methods]] number " +
                        std::to_string(index + 1) + " needs a name");
  }
  method.delivery = file.text(section, "delivery", "");
  const std::size_t bands = file.arraySize(section, "bands");
  for (std::size_t b = 0; b < bands; ++b) {
    const std::string band = section + ".bands." + std::to_string(b);
    if (!file.isList(section + ".bands", std::to_string(b)) ||
        file.arraySize(section + ".bands", std::to_string(b)) != 2) {
      throw SettingsError(file.lineOf(section + ".bands", std::to_string(b)) + "[shipping] " +
                          method.name + ": each band is [up to weight, price]");
    }
    const double upTo = file.decimal(band, "0", 0, 0, kMaxWeight);
    const double price = file.decimal(band, "1", 0, 0, kMaxPrice);
    if (!method.bands.empty() && upTo <= method.bands.back().upTo) {
      throw SettingsError(file.lineOf(band, "0") + "[shipping] " + method.name +
                          ": the bands must go up by weight");
    }
    method.bands.push_back({upTo, toCents(price)});
  }
  method.overCents = toCents(file.decimal(section, "over", 0, 0, kMaxPrice));
  return method;
}

}  // namespace

TaxRules TaxRules::read(const SettingsFile& file) {
  TaxRules rules;
  for (const std::string& place : file.keys("tax.rates")) {
    rules.rates.push_back({place, file.decimal("tax.rates", place, 0, 0, 1)});
  }
  return rules;
}

double TaxRules::rateFor(const std::string& state, const std::string& country,
                         double defaultRate) const {
  for (const std::string& place : {trimmed(state), trimmed(country)}) {
    if (place.empty()) continue;
    for (const Rate& rate : rates) {
      if (text::equalsIgnoringCase(rate.place, place)) return rate.rate;
    }
  }
  return defaultRate;
}

long long ShippingMethod::chargeCents(double weight) const {
  if (!(weight > 0)) return 0;
  for (const Band& band : bands) {
    if (weight <= band.upTo) return band.cents;
  }
  return overCents;
}

ShippingRules ShippingRules::builtIn() {
  // Charges of the four methods per pound band, 0-1 up to 19-20.
  static constexpr long long kCharges[20][4] = {
      {775, 825, 1845, 2000},   {870, 900, 2070, 2240},   {1020, 1040, 2270, 2430},
      {1150, 1175, 2470, 2670}, {1310, 1335, 2670, 2880}, {1525, 1550, 2895, 3120},
      {1655, 1680, 3095, 3335}, {1845, 1870, 3295, 3545}, {2005, 2030, 3495, 3760},
      {2110, 2160, 3695, 3975}, {2245, 2295, 3895, 4215}, {2375, 2400, 4095, 4400},
      {2460, 2535, 4295, 4615}, {2620, 2670, 4470, 4825}, {2750, 2800, 4645, 5015},
      {2840, 2935, 4770, 5145}, {2930, 3070, 4895, 5305}, {3020, 3200, 5045, 5440},
      {3110, 3360, 5170, 5575}, {3200, 3495, 5295, 5705}};
  static constexpr const char* kNames[4][2] = {{"FedEx Saver", "3-4 Days"},
                                               {"FedEx Economy", "2 Days"},
                                               {"FedEx Standard", "1 Day"},
                                               {"FedEx Priority", "Next Morning"}};
  ShippingRules rules;
  for (std::size_t m = 0; m < kMaxMethods; ++m) {
    ShippingMethod method{kNames[m][0], kNames[m][1], {}, 10000};
    for (std::size_t band = 0; band < 20; ++band) {
      method.bands.push_back({static_cast<double>(band + 1), kCharges[band][m]});
    }
    rules.methods.push_back(std::move(method));
  }
  return rules;
}

ShippingRules ShippingRules::read(const SettingsFile& file) {
  const std::size_t count = file.arraySize("shipping", "methods");
  if (count == 0) return builtIn();
  if (count > kMaxMethods) {
    throw SettingsError(file.lineOf("shipping", "methods") +
                        "[shipping] offers at most four methods");
  }
  ShippingRules rules;
  for (std::size_t index = 0; index < count; ++index) {
    rules.methods.push_back(readMethod(file, index));
  }
  return rules;
}

PaymentSettings PaymentSettings::read(const SettingsFile& file) {
  PaymentSettings payment;
  payment.link =
      file.addressTemplate("payment", "link", "", {"{amount}", "{currency}", "{reference}"});
  return payment;
}

long long priceCents(const std::string& price) {
  return toCents(std::strtod(price.c_str(), nullptr));
}

long long taxCents(long long productsCents, double rate) {
  return static_cast<long long>(std::floor(static_cast<double>(productsCents) * rate + 0.5));
}

}  // namespace vendaro
