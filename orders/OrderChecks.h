#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "orders/OrderMail.h"
#include "orders/PriceCheck.h"
#include "platform/Database.h"
#include "platform/Outcome.h"

namespace vendaro {

// Creates the table of check verdicts (`OrderChecks`, one row per checked
// order) when it is missing; the `Orders` table stays as it is.
void createOrderCheckTables(Database& database);

// What the arrival check keeps of an order.
struct ArrivalRecord {
  std::string verdict;      // PriceVerdict text, or "duplicate of " + OrderID
  std::string messageId;    // the mail's Message-ID; empty when it has none
  std::string received;     // the mail's date in UTC (utcTimeText); the intake's time without one
  std::string fingerprint;  // the customer and the lines, to find an order sent twice
  std::string stateChoice = {};  // the mail's sales-tax choice ("R11", "R12" or none)
  std::string shipCountry = {};  // the shipping country of a responsive order
};

// Orders sent twice within this many seconds are the same order.
inline constexpr std::int64_t kDuplicateWindowSeconds = 3600;

// Checks orders as they arrive and again on demand: every order against the
// records that generation published, and against the orders already stored
// for a repeat (the same Message-ID, or the same customer and lines within
// an hour: a shopper who pressed Submit twice).
class OrderChecker {
 public:
  // Reads the published records of the application folder; records that
  // cannot be read are named in problems().
  explicit OrderChecker(const std::filesystem::path& appFolder);
  explicit OrderChecker(std::vector<PublishedCatalogue> catalogues);

  // The record for an order arriving as `mailText` (headers as they came,
  // the decoded body, CR LF line ends), read as `mail`; `intakeSeconds`
  // stands for a mail without a readable date.
  ArrivalRecord arrival(Database& database, const OrderMail& mail, const std::string& mailText,
                        std::int64_t intakeSeconds) const;
  // Keeps the record of a stored order (in the caller's transaction).
  static void keep(Database& database, std::int64_t orderId, const ArrivalRecord& record);

  // Checks every stored order again and keeps the new verdicts (the order
  // and check tables are made when missing); an order found to be a repeat
  // keeps that verdict. Returns the verdict by OrderID; Io when the database
  // cannot be read or written (no verdict changes then).
  Outcome<std::map<std::int64_t, std::string>> recheckAll(Database& database) const;

  const std::vector<std::string>& problems() const { return problems_; }

 private:
  // Filled while the records are read, so declared first.
  std::vector<std::string> problems_;
  PriceCheck prices_;
};

// The verdict of every checked order by OrderID; orders not in it were
// stored before orders were checked ("not checked").
std::map<std::int64_t, std::string> storedVerdicts(Database& database);

// The figures of an order mail as the price check reads them.
OrderFigures orderFigures(const OrderMail& mail, const std::string& mailText);

}  // namespace vendaro
