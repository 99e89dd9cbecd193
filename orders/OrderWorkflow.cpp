#include "orders/OrderWorkflow.h"

#include <set>

#include "orders/OrderChecks.h"
#include "orders/OrderTables.h"
#include "platform/DataFailure.h"

namespace vendaro {
namespace {

constexpr const char* kSchema = R"sql(
CREATE TABLE IF NOT EXISTS [OrderHistory] (
  OrderID INTEGER NOT NULL, Changed TEXT NOT NULL, OldStatus TEXT NOT NULL,
  NewStatus TEXT NOT NULL, Note TEXT, Carrier TEXT, Tracking TEXT);
CREATE INDEX IF NOT EXISTS [OrderHistoryByOrder] ON [OrderHistory] (OrderID);
)sql";

OrderStatus statusOf(const DbValue& value) {
  return statusNamed(value.toText()).value_or(OrderStatus::New);
}

}  // namespace

void createOrderHistoryTable(Database& database) {
  database.createMissingTables({"OrderHistory"}, kSchema);
}

OrderWorkflow::OrderWorkflow(Database& database, const std::filesystem::path& appFolder)
    : database_(database) {
  createOrderHistoryTable(database_);
  if (!appFolder.empty()) stock_.emplace(database_, appFolder);
}

bool OrderWorkflow::orderExists(std::int64_t orderId) {
  return !database_.query("SELECT 1 FROM [Orders] WHERE OrderID = ?", {DbValue(orderId)})
              .rows.empty();
}

std::vector<StatusChangeRecord> OrderWorkflow::history(std::int64_t orderId) {
  std::vector<StatusChangeRecord> records;
  const QueryResult rows = database_.query(
      "SELECT Changed, OldStatus, NewStatus, Note, Carrier, Tracking FROM [OrderHistory] "
      "WHERE OrderID = ? ORDER BY rowid",
      {DbValue(orderId)});
  for (const auto& row : rows.rows) {
    records.push_back({row[0].toText(), row[1].toText(), row[2].toText(), row[3].toText(),
                       row[4].toText(), row[5].toText()});
  }
  return records;
}

OrderStatus OrderWorkflow::status(std::int64_t orderId) {
  const QueryResult rows = database_.query(
      "SELECT NewStatus FROM [OrderHistory] WHERE OrderID = ? ORDER BY rowid DESC LIMIT 1",
      {DbValue(orderId)});
  return rows.rows.empty() ? OrderStatus::New : statusOf(rows.rows[0][0]);
}

std::map<std::int64_t, OrderStatus> OrderWorkflow::statuses() {
  std::map<std::int64_t, OrderStatus> statuses;
  const QueryResult rows =
      database_.query("SELECT OrderID, NewStatus FROM [OrderHistory] ORDER BY rowid", {});
  for (const auto& row : rows.rows) {
    if (row[0].isInteger()) statuses[row[0].integer()] = statusOf(row[1]);
  }
  return statuses;
}

// Read and written in one transaction, so two changes at once cannot both
// pass the rules.
Outcome<StatusChanged> OrderWorkflow::change(const StatusChange& wanted, const std::string& now) {
  const std::string id = std::to_string(wanted.orderId);
  try {
    database_.beginTransaction();
    try {
      if (!orderExists(wanted.orderId)) {
        database_.rollback();
        return failure(ErrorKind::NotFound, "There is no order " + id + ".");
      }
      std::set<OrderStatus> reached = {OrderStatus::New};
      for (const StatusChangeRecord& record : history(wanted.orderId)) {
        reached.insert(statusNamed(record.newStatus).value_or(OrderStatus::New));
      }
      const OrderStatus current = status(wanted.orderId);
      std::string refusal = statusRefusal(id, current, reached, wanted.status);
      const bool shipped = wanted.status == OrderStatus::Shipped;
      if (refusal.empty() && shipped && (wanted.carrier.empty() || wanted.tracking.empty())) {
        refusal = "Order " + id + " can be marked shipped only with its carrier and tracking code.";
      }
      if (!refusal.empty()) {
        database_.rollback();
        return failure(ErrorKind::Conflict, std::move(refusal));
      }
      database_.execute(
          "INSERT INTO [OrderHistory] (OrderID, Changed, OldStatus, NewStatus, Note, Carrier, "
          "Tracking) VALUES (?, ?, ?, ?, ?, ?, ?)",
          {DbValue(wanted.orderId), DbValue(now), DbValue(std::string(statusName(current))),
           DbValue(std::string(statusName(wanted.status))), DbValue(wanted.note),
           shipped ? DbValue(wanted.carrier) : DbValue(),
           shipped ? DbValue(wanted.tracking) : DbValue()});
      if (stock_) {
        stock_->adoptCounts();
        stock_->moveFor(wanted.orderId, wanted.status, now);
      }
      database_.commit();
      writeCountFiles();
      return StatusChanged{"Order " + id + ": " + std::string(statusName(current)) + " -> " +
                               std::string(statusName(wanted.status)),
                           current};
    } catch (const DataError&) {
      database_.rollback();
      throw;
    }
  } catch (const DataError& error) {
    return dataFailure(error);
  }
}

// After the commit the change stands: a project file left behind, like one
// that cannot be written, is brought up to date by the next write.
void OrderWorkflow::writeCountFiles() {
  if (!stock_) return;
  try {
    stock_->writeCountFiles();
  } catch (const DataError&) {
  }
}

Outcome<StatusChanged> changeOrderStatus(Database& database, const std::filesystem::path& appFolder,
                                         const StatusChange& wanted, const std::string& now) {
  try {
    createOrderTables(database);
    createOrderCheckTables(database);
    OrderWorkflow workflow(database, appFolder);
    return workflow.change(wanted, now);
  } catch (const DataError& error) {
    return dataFailure(error);
  }
}

}  // namespace vendaro
