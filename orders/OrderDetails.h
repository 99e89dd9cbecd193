#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "orders/OrderStatus.h"
#include "orders/OrderWorkflow.h"
#include "platform/Database.h"
#include "platform/Outcome.h"

namespace vendaro {

// One order with everything kept about it, as `vendaro order ID` shows it.
struct OrderDetails {
  // Every column of `Orders` with the order's value, in table order.
  std::vector<std::pair<std::string, std::string>> fields;
  std::string verdict;  // the price check's; kVerdictNotChecked without one
  OrderStatus status = OrderStatus::New;
  // ProductID, Quantity, Price and LineTotal of each line, in stored order.
  std::vector<std::vector<std::string>> lines;
  std::vector<StatusChangeRecord> history;
};

// Reads order `orderId`; the tables of orders, checks and history (with
// `appFolder`, of the stock too) are made when missing, as for a change.
// NotFound when there is no such order, Io when the database cannot be used.
Outcome<OrderDetails> readOrderDetails(Database& database, const std::filesystem::path& appFolder,
                                       std::int64_t orderId);

}  // namespace vendaro
