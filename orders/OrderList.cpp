#include "orders/OrderList.h"

#include "orders/OrderChecks.h"
#include "orders/OrderWorkflow.h"
#include "platform/DataFailure.h"
#include "platform/SqlText.h"

namespace vendaro {
namespace {

// The newest status of each order comes from its last history row.
constexpr const char* kListQuery = R"sql(
SELECT o.OrderID, o.OrderDate, COALESCE(NULLIF(o.BillName, ''), o.CustomerID), o.EMail1, o.Total,
  COALESCE((SELECT h.NewStatus FROM [OrderHistory] h WHERE h.OrderID = o.OrderID
            ORDER BY h.rowid DESC LIMIT 1), 'new') AS Status,
  COALESCE(c.Verdict, 'not checked') AS Verdict
FROM [Orders] o LEFT JOIN [OrderChecks] c ON c.OrderID = o.OrderID
)sql";

std::vector<OrderListRow> readOrderList(Database& database, const OrderListFilter& filter) {
  createOrderCheckTables(database);
  createOrderHistoryTable(database);
  std::string sql = std::string(kListQuery) + " WHERE 1";
  std::vector<DbValue> parameters;
  if (!filter.search.empty()) {
    sql +=
        " AND (o.BillName LIKE ?1 ESCAPE '\\' OR o.ShipName LIKE ?1 ESCAPE '\\' OR o.EMail1 LIKE "
        "?1 ESCAPE '\\' OR o.CustomerID LIKE ?1 ESCAPE '\\')";
    parameters.push_back(DbValue(sqlLikeContaining(filter.search)));
  }
  const auto where = [&](const std::string& condition, DbValue value) {
    sql += " AND " + condition + " ?" + std::to_string(parameters.size() + 1);
    parameters.push_back(std::move(value));
  };
  if (filter.status) where("Status =", DbValue(std::string(statusName(*filter.status))));
  if (filter.flaggedOnly) where("COALESCE(c.Verdict, 'not checked') <>", DbValue("ok"));
  if (!filter.fromDate.empty()) where("o.OrderDate >=", DbValue(filter.fromDate));
  if (!filter.toDate.empty()) where("o.OrderDate <=", DbValue(filter.toDate));
  sql += " ORDER BY o.OrderID DESC";

  std::vector<OrderListRow> rows;
  const QueryResult result = database.query(sql, parameters);
  rows.reserve(result.rows.size());
  for (const auto& row : result.rows) {
    rows.push_back({row[0].isInteger() ? row[0].integer() : 0, row[1].toText(), row[2].toText(),
                    row[3].toText(), row[4].toText(),
                    statusNamed(row[5].toText()).value_or(OrderStatus::New), row[6].toText()});
  }
  return rows;
}

}  // namespace

Outcome<std::vector<OrderListRow>> listOrders(Database& database, const OrderListFilter& filter) {
  try {
    return readOrderList(database, filter);
  } catch (const DataError& error) {
    return dataFailure(error);
  }
}

}  // namespace vendaro
