#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "orders/OrderStatus.h"
#include "platform/Database.h"
#include "platform/Outcome.h"

namespace vendaro {

// One order as the list beside the order record shows it.
struct OrderListRow {
  std::int64_t orderId = 0;
  std::string date;      // OrderDate
  std::string customer;  // the billing name; the sender when there is none
  std::string email;     // EMail1
  std::string total;
  OrderStatus status = OrderStatus::New;
  std::string verdict;  // the price check's; "not checked" without one
};

// Which orders the list shows; an empty field does not filter.
struct OrderListFilter {
  std::string search;  // a part of the name (billing or shipping), e-mail or sender
  std::optional<OrderStatus> status;
  bool flaggedOnly = false;  // only orders whose check is not "ok"
  std::string fromDate;      // OrderDate from this day ("2024-05-06") on
  std::string toDate;        // up to and including this day
};

// The orders that pass `filter`, newest first, read in one query (the
// tables of checks and history are created when missing). Io when the
// database cannot be read.
Outcome<std::vector<OrderListRow>> listOrders(Database& database, const OrderListFilter& filter);

}  // namespace vendaro
