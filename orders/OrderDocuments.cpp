#include "orders/OrderDocuments.h"

#include <cmath>

#include "common/ShopRules.h"
#include "orders/OrderNumbers.h"

namespace vendaro {
namespace {

using Align = PrintedDocument::Align;

// The UTC day of a time text ("2026-12-07T12:50:01Z" gives "2026-12-07").
std::string dayOf(const std::string& time) {
  return time.substr(0, time.find('T'));
}

std::vector<std::string> senderLines(const MerchantSettings& merchant) {
  std::vector<std::string> lines = {merchant.name};
  lines.insert(lines.end(), merchant.address.begin(), merchant.address.end());
  if (!merchant.phone.empty()) lines.push_back(merchant.phone);
  if (!merchant.email.empty()) lines.push_back(merchant.email);
  if (!merchant.taxId.empty()) lines.push_back("Tax ID: " + merchant.taxId);
  return lines;
}

PrintedDocument documentFor(const std::string& title, const MerchantSettings& merchant,
                            const std::string& created, const std::string& id) {
  PrintedDocument document;
  document.paper = merchant.paper;
  document.title = title;
  document.created = created;
  document.documentId = id;
  document.sender = senderLines(merchant);
  return document;
}

std::vector<std::string> withEmail(std::vector<std::string> lines, const std::string& email) {
  if (!email.empty()) lines.push_back(email);
  return lines;
}

// The invoice's body; `sign` is -1 for a credit note.
void addPricedLines(PrintedDocument& document, const OrderSheet& order, const std::string& currency,
                    const std::vector<double>& likelyRates, int sign) {
  document.addresses = {{"Bill to", withEmail(order.billing, order.email)},
                        {"Ship to", order.shipping}};
  document.columns = {{"Item", Align::Left},
                      {"Quantity", Align::Right},
                      {"Unit price", Align::Right},
                      {"Line total", Align::Right}};
  for (const OrderSheet::Line& line : order.lines) {
    document.rows.push_back({line.item, line.quantity, documentMoney(line.priceCents, currency),
                             documentMoney(sign * line.totalCents, currency)});
  }
  const std::string rate = taxRateText(order.productsCents(), order.taxCents, likelyRates);
  std::string shipping = "Shipping";
  if (!order.shippingMethod.empty()) shipping += " (" + order.shippingMethod + ")";
  document.totals = {
      {"Products", documentMoney(sign * order.productsCents(), currency)},
      {rate.empty() ? "Sales tax" : "Sales tax (" + rate + ")",
       documentMoney(sign * order.taxCents, currency)},
      {shipping, documentMoney(sign * order.shippingCents, currency)},
      {sign < 0 ? "Total credited" : "Total", documentMoney(sign * order.totalCents(), currency)}};
}

// A rate in thousandths of a per cent as "8.25%", with `decimals` decimals.
std::string percentText(long long thousandths, int decimals) {
  std::string text = std::to_string(thousandths / 1000);
  if (decimals > 0) {
    const std::string fraction = std::to_string(1000 + thousandths % 1000).substr(1);
    text += "." + fraction.substr(0, static_cast<std::size_t>(decimals));
  }
  return text + "%";
}

// The decimals a rate in thousandths of a per cent needs.
int decimalsOf(long long thousandths) {
  if (thousandths % 1000 == 0) return 0;
  if (thousandths % 100 == 0) return 1;
  return thousandths % 10 == 0 ? 2 : 3;
}

}  // namespace

std::string documentMoney(std::int64_t cents, const std::string& currency) {
  for (const char c : currency) {
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) return currency + " " + moneyText(cents);
  }
  return (cents < 0 ? "-" : "") + currency + moneyText(cents < 0 ? -cents : cents);
}

std::string taxRateText(std::int64_t productsCents, std::int64_t taxCents,
                        const std::vector<double>& likelyRates) {
  if (productsCents <= 0) return {};
  for (const double rate : likelyRates) {
    if (vendaro::taxCents(productsCents, rate) != taxCents) continue;
    const long long thousandths = std::llround(rate * 100000.0);
    if (std::abs(static_cast<double>(thousandths) - rate * 100000.0) < 1e-6) {
      return percentText(thousandths, decimalsOf(thousandths));
    }
  }
  // In thousandths of a per cent.
  const double estimate =
      static_cast<double>(taxCents) * 100000.0 / static_cast<double>(productsCents);
  for (int decimals = 0; decimals <= 3; ++decimals) {
    const long long unit = decimals == 0 ? 1000 : decimals == 1 ? 100 : decimals == 2 ? 10 : 1;
    const long long nearest = std::llround(estimate / static_cast<double>(unit)) * unit;
    for (const long long candidate : {nearest, nearest - unit, nearest + unit}) {
      if (candidate < 0) continue;
      if (vendaro::taxCents(productsCents, static_cast<double>(candidate) / 100000.0) != taxCents) {
        continue;
      }
      return percentText(candidate, decimals);
    }
  }
  char text[32];
  std::snprintf(text, sizeof text, "%.2f%%", estimate / 1000.0);
  return text;
}

PrintedDocument invoiceDocument(const OrderSheet& order, const MerchantSettings& merchant,
                                const IssueFacts& issue) {
  PrintedDocument document =
      documentFor("Invoice", merchant, issue.issued, "invoice " + issue.number);
  document.facts = {{"Invoice number", issue.number},
                    {"Invoice date", dayOf(issue.issued)},
                    {"Order", std::to_string(order.orderId)},
                    {"Order date", order.orderDate}};
  addPricedLines(document, order, merchant.currency, issue.likelyTaxRates, 1);
  if (!merchant.paymentNote.empty()) document.notes.push_back(merchant.paymentNote);
  return document;
}

PrintedDocument creditNoteDocument(const OrderSheet& order, const MerchantSettings& merchant,
                                   const IssueFacts& issue) {
  PrintedDocument document =
      documentFor("Credit note", merchant, issue.issued, "credit note " + issue.number);
  document.facts = {{"Credit note number", issue.number},
                    {"Date", dayOf(issue.issued)},
                    {"Invoice", issue.refersTo},
                    {"Order", std::to_string(order.orderId)}};
  addPricedLines(document, order, merchant.currency, issue.likelyTaxRates, -1);
  document.notes.push_back("This credit note cancels invoice " + issue.refersTo + ".");
  return document;
}

PrintedDocument packingSlipDocument(const OrderSheet& order, const MerchantSettings& merchant,
                                    const std::string& printed) {
  PrintedDocument document = documentFor("Packing slip", merchant, printed,
                                         "packing slip " + std::to_string(order.orderId));
  document.facts = {{"Order", std::to_string(order.orderId)},
                    {"Order date", order.orderDate},
                    {"Date", dayOf(printed)}};
  if (!order.shippingMethod.empty()) document.facts.push_back({"Shipping", order.shippingMethod});
  document.addresses = {{"Ship to", order.shipping}, {"Bill to", order.billing}};
  document.columns = {{"Item", Align::Left}, {"Quantity", Align::Right}};
  for (const OrderSheet::Line& line : order.lines)
    document.rows.push_back({line.item, line.quantity});
  return document;
}

}  // namespace vendaro
