#include "orders/OrderDetails.h"

#include "orders/OrderChecks.h"
#include "orders/OrderTables.h"
#include "platform/DataFailure.h"

namespace vendaro {
namespace {

std::vector<std::vector<std::string>> textsOf(const QueryResult& result) {
  std::vector<std::vector<std::string>> rows;
  for (const auto& row : result.rows) {
    std::vector<std::string> texts;
    for (const DbValue& value : row) texts.push_back(value.toText());
    rows.push_back(std::move(texts));
  }
  return rows;
}

OrderDetails readDetails(Database& database, OrderWorkflow& workflow, std::int64_t orderId,
                         const QueryResult& order) {
  OrderDetails details;
  for (std::size_t i = 0; i < order.columns.size(); ++i) {
    details.fields.emplace_back(order.columns[i], order.rows[0][i].toText());
  }
  const QueryResult verdict =
      database.query("SELECT Verdict FROM [OrderChecks] WHERE OrderID = ?", {DbValue(orderId)});
  details.verdict = verdict.rows.empty() ? kVerdictNotChecked : verdict.rows[0][0].toText();
  details.status = workflow.status(orderId);
  details.lines = textsOf(database.query(
      "SELECT ProductID, Quantity, Price, LineTotal FROM [Order Details] WHERE OrderID = ? "
      "ORDER BY rowid",
      {DbValue(orderId)}));
  details.history = workflow.history(orderId);
  return details;
}

}  // namespace

Outcome<OrderDetails> readOrderDetails(Database& database, const std::filesystem::path& appFolder,
                                       std::int64_t orderId) {
  try {
    createOrderTables(database);
    createOrderCheckTables(database);
    OrderWorkflow workflow(database, appFolder);
    const QueryResult order =
        database.query("SELECT * FROM [Orders] WHERE OrderID = ?", {DbValue(orderId)});
    if (order.rows.empty()) {
      return failure(ErrorKind::NotFound, "there is no order " + std::to_string(orderId));
    }
    return readDetails(database, workflow, orderId, order);
  } catch (const DataError& error) {
    return dataFailure(error);
  }
}

}  // namespace vendaro
