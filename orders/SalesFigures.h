#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "orders/OrderStatus.h"
#include "platform/Database.h"
#include "platform/Outcome.h"

namespace vendaro {

enum class SalesPeriod { Day, Week, Month };

// Which orders count: OrderDate from `from` to `to` ("2026-12-01"; empty:
// no limit), revenue added up by `by`.
struct SalesQuery {
  std::string from;
  std::string to;
  SalesPeriod by = SalesPeriod::Month;
};

// How the shop did in a period, money in cents. An order's amount is its
// products, sales tax and shipping. Revenue counts the orders that are
// neither cancelled nor flagged by the price check (a mismatch or a
// repeat); those two are added up apart.
struct SalesFigures {
  struct Bar {
    std::string period;  // "2026-12-07", "2026-W49" (ISO week) or "2026-12"
    std::int64_t orders = 0;
    std::int64_t revenueCents = 0;
  };
  struct Item {
    std::string item;
    std::int64_t quantity = 0;
    std::int64_t revenueCents = 0;
  };
  struct Apart {
    std::int64_t orders = 0;
    std::int64_t cents = 0;
  };
  std::vector<Bar> bars;  // every period from the first order to the last, empty ones too
  std::vector<std::pair<OrderStatus, std::int64_t>> ordersByStatus;  // every status
  std::vector<Item> bestItems;  // the ten with the most revenue
  std::int64_t countedOrders = 0;
  std::int64_t revenueCents = 0;
  std::int64_t averageCents = 0;  // revenue per counted order, half a cent rounded up
  Apart flagged;
  Apart cancelled;
};

// Reads the figures in two queries; writes nothing (a database without
// checks or history has no flagged orders and only new ones). Io when the
// database cannot be read.
Outcome<SalesFigures> salesFigures(Database& database, const SalesQuery& query);

// The totals line: "Orders counted: 3, revenue: 78.87, average order: 26.29".
std::string salesTotalsText(const SalesFigures& figures);
// What revenue leaves out: "Left out: 1 flagged by the price check
// (100.00), 1 cancelled (55.00)".
std::string salesLeftOutText(const SalesFigures& figures);

// The period an order date falls in ("2026-12-07" by week gives "2026-W49");
// empty for a date that is not YYYY-MM-DD.
std::string salesPeriodOf(const std::string& date, SalesPeriod by);

}  // namespace vendaro
