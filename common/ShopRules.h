#pragma once

#include <string>
#include <vector>

#include "platform/settings/SettingsFile.h"

namespace vendaro {

// [tax]: sales tax rates by the state or country of the shipping address
// ("[tax.rates]", keys compared without regard to letter case). An address
// that matches no key pays the default rate, the wizard's "Sales Tax,%".
struct TaxRules {
  struct Rate {
    std::string place;
    double rate = 0;
  };
  std::vector<Rate> rates;

  static TaxRules read(const SettingsFile& file);

  // The rate for a shipping address: its state first, then its country.
  double rateFor(const std::string& state, const std::string& country, double defaultRate) const;
};

// One shipping method: a charge per weight band. A band holds the weights
// above the previous band's limit up to and including its own; heavier
// baskets pay `overCents`; a basket of no weight ships free.
struct ShippingMethod {
  struct Band {
    double upTo = 0;
    long long cents = 0;
  };
  std::string name;      // shown to the shopper
  std::string delivery;  // how long it takes, shown beside the name
  std::vector<Band> bands;
  long long overCents = 0;

  long long chargeCents(double weight) const;
};

// [shipping]: up to four methods, in the order the order form offers them;
// the n-th reaches the order database as the n-th of the intake's methods
// (Saver, Economy, Standard, Priority). Without the section, the shop's
// built-in table of four FedEx methods and 20 bands.
struct ShippingRules {
  static constexpr std::size_t kMaxMethods = 4;
  static constexpr const char* kIntakeNames[kMaxMethods] = {"Saver", "Economy", "Standard",
                                                            "Priority"};
  std::vector<ShippingMethod> methods;

  static ShippingRules builtIn();
  static ShippingRules read(const SettingsFile& file);
};

// [payment]: how a shopper of the responsive shop pays. Always on delivery
// or by invoice; with `link`, also through the merchant's payment provider:
// the address with "{amount}", "{currency}" and "{reference}" filled in.
struct PaymentSettings {
  std::string link;

  static PaymentSettings read(const SettingsFile& file);
};

// A price as the responsive shop's script counts it, in whole cents (the
// number at the start of the text; none counts 0).
long long priceCents(const std::string& price);

// Money is counted in cents. The sales tax of a basket as the shop's pages
// round it: half a cent and more rounds up.
long long taxCents(long long productsCents, double rate);

}  // namespace vendaro
