#pragma once

#include <memory>
#include <string>
#include <vector>

#include "orders/OrderIntake.h"
#include "platform/sqlite/SqliteDatabase.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TempFolder.h"

namespace vendaro::testing {

// What the order tables hold, read straight from the database file.
inline std::vector<std::vector<DbValue>> rowsOf(Database& database, const std::string& query) {
  return database.select(query).rows;
}

inline std::vector<std::vector<DbValue>> storedOrders(Database& database) {
  return rowsOf(database,
                "select OrderID, CustomerID, ShippingMethodID, ShippingCost, Total, BillName "
                "from Orders order by OrderID");
}

inline std::vector<std::vector<DbValue>> storedLines(Database& database) {
  return rowsOf(database,
                "select OrderID, ProductID, Quantity, Price, LineTotal from [Order Details] "
                "order by rowid");
}

inline void addOrderLine(Database& database, std::int64_t orderId, const std::string& productId,
                         double quantity, double price) {
  database.insertRow("Order Details", {{"OrderID", orderId},
                                       {"ProductID", productId},
                                       {"Quantity", quantity},
                                       {"Price", price},
                                       {"LineTotal", quantity * price}});
}

}  // namespace vendaro::testing
