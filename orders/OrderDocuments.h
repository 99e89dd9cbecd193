#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "common/MerchantSettings.h"
#include "orders/OrderSheet.h"
#include "platform/PrintedDocument.h"

namespace vendaro {

// The facts of an issued invoice or credit note that its pages show.
struct IssueFacts {
  std::string number;    // "2026-00017"
  std::string issued;    // UTC time of issue: the date shown and the file's creation date
  std::string refersTo;  // a credit note: the number of the invoice it cancels
  std::vector<double> likelyTaxRates;  // the merchant's rates (see taxRateText)
};

// The pages of the order documents, built from the order and the merchant's
// details alone (no database, no clock, no screen).
PrintedDocument invoiceDocument(const OrderSheet& order, const MerchantSettings& merchant,
                                const IssueFacts& issue);
// Every figure of the invoice negated, referring to the invoice.
PrintedDocument creditNoteDocument(const OrderSheet& order, const MerchantSettings& merchant,
                                   const IssueFacts& issue);
// Addresses, items and quantities; no prices. `printed` is the UTC time it is made.
PrintedDocument packingSlipDocument(const OrderSheet& order, const MerchantSettings& merchant,
                                    const std::string& printed);

// Money as the documents show it: "$22.40", "-$22.40", "EUR 22.40" (a
// currency with letters is set apart by a blank).
std::string documentMoney(std::int64_t cents, const std::string& currency);

// The sales tax rate in per cent that gives `taxCents` on `productsCents` as
// the shop rounds it: the first of the merchant's `likelyRates` (fractions,
// 0.0825) that does, else the one with the fewest decimals (up to 3) closest
// to the quotient: "8.25%". Empty when there are no products to tell it from.
std::string taxRateText(std::int64_t productsCents, std::int64_t taxCents,
                        const std::vector<double>& likelyRates = {});

}  // namespace vendaro
