#include "orders/OrderTables.h"

namespace vendaro {
namespace {

// The columns in the order the intake writes them.
constexpr const char* kSchema = R"sql(
CREATE TABLE IF NOT EXISTS [Orders] (
  OrderID INTEGER PRIMARY KEY AUTOINCREMENT, CustomerID TEXT, OrderDate TEXT, ShipName TEXT,
  ShipAddress TEXT, ShipCity TEXT, ShipState TEXT, ShipPostalCode TEXT, ShipPhoneNumber TEXT,
  ShippingMethodID TEXT, ShippingCost NUMERIC, BillName TEXT, BillAddress TEXT, BillCity TEXT,
  BillState TEXT, BillPostalCode TEXT, BillPhoneNumber TEXT, EMail1 TEXT, EMail2 TEXT,
  SalesTax NUMERIC, Total NUMERIC, SustServPhone TEXT, CCNumber TEXT, CCExp TEXT);
CREATE TABLE IF NOT EXISTS [Order Details] (
  OrderID INTEGER, ProductID TEXT, Quantity NUMERIC, Price NUMERIC, LineTotal NUMERIC);
CREATE TABLE IF NOT EXISTS [ImportedMessages] (
  mailbox TEXT NOT NULL, uid TEXT NOT NULL, PRIMARY KEY (mailbox, uid));
)sql";

}  // namespace

void createOrderTables(Database& database) {
  database.createMissingTables({"Orders", "Order Details", "ImportedMessages"}, kSchema);
}

}  // namespace vendaro
