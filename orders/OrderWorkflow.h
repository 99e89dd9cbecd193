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
#include "platform/Outcome.h"

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

// A change made: in words for the merchant ("Order 1: new -> confirmed")
// and the status the order left.
struct StatusChanged {
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

  // The change made; NotFound for an order that does not exist, Conflict
  // with the refusal for a change the rules do not allow, Io when the
  // database cannot be used (nothing changes then).
  Outcome<StatusChanged> change(const StatusChange& wanted, const std::string& now);
  std::vector<StatusChangeRecord> history(std::int64_t orderId);
  OrderStatus status(std::int64_t orderId);
  // The status of every order that has left "new", by OrderID.
  std::map<std::int64_t, OrderStatus> statuses();
  bool orderExists(std::int64_t orderId);

 private:
  void writeCountFiles();

  Database& database_;
  std::optional<StockBook> stock_;
};

// A change as the commands and the order viewer make it: through a workflow
// over the tables of orders, checks and history (made when missing) that,
// with `appFolder`, moves the stock too. As OrderWorkflow::change.
Outcome<StatusChanged> changeOrderStatus(Database& database, const std::filesystem::path& appFolder,
                                         const StatusChange& wanted, const std::string& now);

}  // namespace vendaro
