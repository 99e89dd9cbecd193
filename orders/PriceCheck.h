#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "common/PublishedCatalogue.h"

namespace vendaro {

// The figures of one order as the mail carried them (or as the order
// database kept them): the texts the shopper's browser wrote.
struct OrderFigures {
  struct Line {
    std::string productId;
    std::string quantity;
    std::string price;
    std::string lineTotal;
  };
  std::vector<Line> lines;
  // The sales tax choice of the mail: "R11" (Out of State) or "R12" (Within
  // State); empty when the mail names none, and the tax says which.
  std::string stateChoice;
  std::string salesTax;        // "T2": "$ 4.12"
  std::string shippingMethod;  // "Saver", "Economy", "Standard", "Priority" or empty
  std::string shippingCost;    // "$ 7.75"
  std::string total;           // "AMOUNT": "$$$ 61.82"
  // The shipping address's state and country, by which the responsive
  // checkout chooses the tax rate.
  std::string shipState = {};
  std::string shipCountry = {};
};

// The outcome of checking an order against the published catalogues.
struct PriceVerdict {
  enum class Kind { Ok, Mismatch, NoCatalogue };
  Kind kind = Kind::NoCatalogue;
  std::vector<std::string> reasons;  // for a mismatch

  // "ok", "mismatch: " + the reasons joined by "; ", or "no catalogue".
  std::string text() const;
};

inline constexpr const char* kVerdictOk = "ok";
inline constexpr const char* kVerdictMismatch = "mismatch: ";
inline constexpr const char* kVerdictNoCatalogue = "no catalogue";
inline constexpr const char* kVerdictNotChecked = "not checked";
inline constexpr const char* kVerdictDuplicate = "duplicate of ";

// Checks orders against every published record. Each figure of the order
// is compared, in whole cents, with what the order page computes from the
// record for the ordered quantities: the unit prices, the line totals
// (price × quantity), the sales tax (framed pages: 0 for "Out of State",
// else rate × products total; responsive checkout: the rate of the shipping
// address), the shipping charge for the total weight and the chosen method,
// and the grand total. Of the records that know the order's items,
// the one that agrees best decides; so an order placed before a price
// change checks against the prices it was offered.
class PriceCheck {
 public:
  explicit PriceCheck(std::vector<PublishedCatalogue> catalogues);

  PriceVerdict check(const OrderFigures& order) const;

 private:
  struct Record {
    PublishedCatalogue catalogue;
    std::unordered_map<std::string, std::size_t> itemIndex;  // first item of each id
  };
  struct Comparison {
    std::size_t known = 0;
    std::vector<std::string> reasons;
  };
  Comparison compare(const OrderFigures& order, const Record& record) const;
  // The responsive checkout counts in whole cents and taxes by address.
  Comparison compareResponsive(const OrderFigures& order, const Record& record) const;

  std::vector<Record> records_;
};

}  // namespace vendaro
