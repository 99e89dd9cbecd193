#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "orders/OrderStatus.h"
#include "orders/StockBook.h"
#include "platform/Database.h"

namespace vendaro {

// Creates the status history (`OrderHistory`, one row per change) when it is
// missing. An order without rows is new.
void createOrderHistoryTable(Database& database);

// One change of an order's status as the history keeps it.
struct StatusChangeRecord {
  std::string changed;  // UTC time (utcTimeText)
  std::string oldStatus;
  std::string newStatus;
  std::string note;
  std::string carrier;   // for shipped
  std::string tracking;  // for shipped
};

// A change asked for.
struct StatusChange {
  std::int64_t orderId = 0;
  OrderStatus status = OrderStatus::New;
  std::string note = {};
  std::string carrier = {};
  std::string tracking = {};
};

// What became of a change, in words for the merchant.
struct StatusChangeOutcome {
  enum class Kind { Changed, Refused, NoSuchOrder };
  Kind kind = Kind::Changed;
  std::string message;
  OrderStatus oldStatus = OrderStatus::New;
};

// The status workflow over the order database: each change is checked
// against the rules of OrderStatus and kept with its time, the old and new
// status, the note and, for shipped, the carrier and tracking code.
class OrderWorkflow {
 public:
  // With an application folder, changes also move the stock of counted
  // items (see StockBook).
  explicit OrderWorkflow(Database& database, const std::filesystem::path& appFolder = {});

  StatusChangeOutcome change(const StatusChange& wanted, const std::string& now);
  std::vector<StatusChangeRecord> history(std::int64_t orderId);
  OrderStatus status(std::int64_t orderId);
  // The status of every order that has left "new", by OrderID.
  std::map<std::int64_t, OrderStatus> statuses();
  bool orderExists(std::int64_t orderId);

 private:
  Database& database_;
  std::optional<StockBook> stock_;
};

}  // namespace vendaro
