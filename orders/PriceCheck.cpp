#include "orders/PriceCheck.h"

#include <array>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <optional>
#include <utility>

#include "orders/OrderMail.h"
#include "orders/OrderNumbers.h"

namespace vendaro {
namespace {

constexpr double kNotANumber = std::numeric_limits<double>::quiet_NaN();
constexpr std::array<std::string_view, 4> kShippingMethods = {"Saver", "Economy", "Standard",
                                                              "Priority"};

std::string trimmed(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return std::string(text);
}

// The script reads a price with parseFloat and a weight by multiplying its
// text, so an empty weight counts 0 and anything unreadable spoils the sum.
double scriptValue(std::string_view text) {
  return scriptNumber(text).value_or(kNotANumber);
}
double scriptWeight(std::string_view text) {
  return trimmed(text).empty() ? 0 : scriptValue(text);
}

// Adds a reason when the amount received is not `expected` cents.
void compareAmount(const std::string& what, std::string_view received, std::int64_t expected,
                   const char* expectedLabel, std::vector<std::string>& reasons) {
  const std::optional<std::int64_t> cents = centsOf(received);
  if (cents && *cents == expected) return;
  const std::string shown =
      cents ? moneyText(*cents) : (trimmed(received).empty() ? "missing" : trimmed(received));
  const std::string wanted =
      expected == std::numeric_limits<std::int64_t>::min() ? "unknown" : moneyText(expected);
  reasons.push_back(what + " " + shown + ", " + expectedLabel + " " + wanted);
}

// The charge UpdateShipping sets for `method` at `weight`; 0 when no bracket
// holds the weight (0 or less, or unreadable).
double shippingCharge(const PublishedCatalogue& catalogue, std::string_view method,
                      double weight) {
  if (!catalogue.shippingByWeight) return 0;
  std::size_t which = 0;
  while (which < kShippingMethods.size() && kShippingMethods[which] != method) ++which;
  if (which == kShippingMethods.size()) return 0;
  double charge = 0;
  for (const WeightBracket& bracket : catalogue.weightBrackets) {
    if (bracket.above < weight && (!bracket.upTo || weight <= *bracket.upTo)) {
      charge = scriptValue(bracket.charges[which]);
    }
  }
  return charge;
}

// The tax choice of the mail; without one, a tax of zero means "Out of State".
bool withinState(const OrderFigures& order) {
  if (order.stateChoice == "R12") return true;
  if (order.stateChoice == "R11") return false;
  const std::optional<std::int64_t> tax = centsOf(order.salesTax);
  return !tax || *tax != 0;
}

}  // namespace

std::string PriceVerdict::text() const {
  switch (kind) {
    case Kind::Ok:
      return kVerdictOk;
    case Kind::NoCatalogue:
      return kVerdictNoCatalogue;
    case Kind::Mismatch:
      break;
  }
  std::string joined = kVerdictMismatch;
  for (std::size_t i = 0; i < reasons.size(); ++i) joined += (i ? "; " : "") + reasons[i];
  return joined;
}

PriceCheck::PriceCheck(std::vector<PublishedCatalogue> catalogues) {
  records_.reserve(catalogues.size());
  for (PublishedCatalogue& catalogue : catalogues) {
    Record record{std::move(catalogue), {}};
    record.itemIndex.reserve(record.catalogue.items.size());
    for (std::size_t i = 0; i < record.catalogue.items.size(); ++i) {
      record.itemIndex.emplace(record.catalogue.items[i].id, i);
    }
    records_.push_back(std::move(record));
  }
}

PriceVerdict PriceCheck::check(const OrderFigures& order) const {
  if (order.lines.empty()) return {PriceVerdict::Kind::Mismatch, {"no items"}};
  std::optional<Comparison> best;
  // Newest first: of two records that agree equally well, the newer decides.
  for (auto record = records_.rbegin(); record != records_.rend(); ++record) {
    Comparison comparison = compare(order, *record);
    if (comparison.known == 0) continue;
    if (!best || comparison.known > best->known ||
        (comparison.known == best->known && comparison.reasons.size() < best->reasons.size())) {
      best = std::move(comparison);
    }
  }
  if (!best) return {PriceVerdict::Kind::NoCatalogue, {}};
  if (best->reasons.empty()) return {PriceVerdict::Kind::Ok, {}};
  return {PriceVerdict::Kind::Mismatch, std::move(best->reasons)};
}

namespace {

// The shipping method's place among the four the intake knows; none: -1.
int methodIndex(std::string_view method) {
  for (std::size_t i = 0; i < kShippingMethods.size(); ++i) {
    if (kShippingMethods[i] == method) return static_cast<int>(i);
  }
  return -1;
}

// The checkout writes charges after the shop's currency ("EUR 6.77"): the
// amount is the text from its first digit, sign or point on.
std::string_view amountPart(std::string_view text) {
  const std::size_t start = text.find_first_of("0123456789-.");
  return start == std::string_view::npos ? text : text.substr(start);
}

// A number as generation wrote it into the checkout's script (none: 0).
double generatedNumber(const std::string& text) { return std::strtod(text.c_str(), nullptr); }

// Whole cents the checkout's script counted; scriptCents' sentinel when they
// are no number.
std::int64_t countedCents(double cents) { return scriptCents(cents / 100); }

}  // namespace

// The checkout's sums as its script makes them: prices in whole cents,
// weights as numbers, tax rounded half up from the products total.
PriceCheck::Comparison PriceCheck::compareResponsive(const OrderFigures& order,
                                                     const Record& record) const {
  Comparison result;
  std::vector<std::string>& reasons = result.reasons;
  const PublishedCatalogue& catalogue = record.catalogue;
  double products = 0;
  double weight = 0;
  bool allKnown = true;
  for (const OrderFigures::Line& line : order.lines) {
    const std::string id = trimmed(line.productId);
    const std::string quantityText = trimmed(line.quantity);
    if (!isWholePositiveQuantity(quantityText)) {
      reasons.push_back(id + " quantity " + (quantityText.empty() ? "missing" : quantityText) +
                        ", not a whole positive number");
    }
    const auto found = record.itemIndex.find(id);
    if (found == record.itemIndex.end()) {
      reasons.push_back(id + " unknown item");
      allKnown = false;
      continue;
    }
    ++result.known;
    const PublishedItem& item = catalogue.items[found->second];
    const double price = static_cast<double>(priceCents(item.price));
    const double quantity = scriptValue(quantityText);
    compareAmount(id + " price", line.price, countedCents(price), "catalogue", reasons);
    compareAmount(id + " line total", line.lineTotal, countedCents(price * quantity), "expected",
                  reasons);
    products += price * quantity;
    weight += generatedNumber(item.weight) * quantity;
  }
  if (!allKnown) return result;
  const std::int64_t productsCents = countedCents(products);
  const bool counted = productsCents != std::numeric_limits<std::int64_t>::min();
  const double rate = catalogue.taxRates.rateFor(order.shipState, order.shipCountry,
                                                 generatedNumber(catalogue.salesTaxRate));
  const std::int64_t tax = counted ? taxCents(productsCents, rate) : productsCents;
  compareAmount("tax", amountPart(order.salesTax), tax, "expected", reasons);
  std::int64_t shipping = 0;
  const int method = methodIndex(order.shippingMethod);
  if (catalogue.shippingByWeight && method >= 0 &&
      static_cast<std::size_t>(method) < catalogue.shippingMethods.size()) {
    shipping = catalogue.shippingMethods[static_cast<std::size_t>(method)].chargeCents(weight);
  }
  if (!order.shippingMethod.empty()) {
    compareAmount("shipping", amountPart(order.shippingCost), shipping, "expected", reasons);
  }
  compareAmount("total", order.total, counted ? productsCents + tax + shipping : productsCents,
                "expected", reasons);
  return result;
}

// The page sums line by line in binary floating point and rounds each shown
// amount to cents; the same arithmetic here gives the same cents.
PriceCheck::Comparison PriceCheck::compare(const OrderFigures& order, const Record& record) const {
  if (record.catalogue.checkout == PublishedCatalogue::Checkout::Responsive) {
    return compareResponsive(order, record);
  }
  Comparison result;
  std::vector<std::string>& reasons = result.reasons;
  double productsTotal = 0;
  double totalWeight = 0;
  bool allKnown = true;
  for (const OrderFigures::Line& line : order.lines) {
    const std::string id = trimmed(line.productId);
    const std::string quantityText = trimmed(line.quantity);
    if (!isWholePositiveQuantity(quantityText)) {
      reasons.push_back(id + " quantity " + (quantityText.empty() ? "missing" : quantityText) +
                        ", not a whole positive number");
    }
    const auto found = record.itemIndex.find(id);
    if (found == record.itemIndex.end()) {
      reasons.push_back(id + " unknown item");
      allKnown = false;
      continue;
    }
    ++result.known;
    const PublishedItem& item = record.catalogue.items[found->second];
    const double price = scriptValue(item.price);
    const double quantity = scriptValue(quantityText);
    compareAmount(id + " price", line.price, scriptCents(price), "catalogue", reasons);
    compareAmount(id + " line total", line.lineTotal, scriptCents(price * quantity), "expected",
                  reasons);
    productsTotal += price * quantity;
    totalWeight += scriptWeight(item.weight) * quantity;
  }
  // Without every item the page's totals cannot be known.
  if (!allKnown) return result;
  const double tax =
      withinState(order) ? productsTotal * scriptValue(record.catalogue.salesTaxRate) : 0;
  compareAmount("tax", order.salesTax, scriptCents(tax), "expected", reasons);
  const double shipping = shippingCharge(record.catalogue, order.shippingMethod, totalWeight);
  if (!order.shippingMethod.empty()) {
    compareAmount("shipping", order.shippingCost, scriptCents(shipping), "expected", reasons);
  }
  compareAmount("total", order.total, scriptCents(productsTotal + tax + shipping), "expected",
                reasons);
  return result;
}

}  // namespace vendaro
