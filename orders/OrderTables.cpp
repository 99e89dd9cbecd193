#include "orders/OrderTables.h"

#include <algorithm>

#include "platform/DataFailure.h"
#include "platform/Text.h"

namespace vendaro {
namespace {

// The columns in the order the intake writes them; the columns after CCExp
// came later and are added to older tables at their end, so every table has
// the same order.
constexpr const char* kSchema = R"sql(
CREATE TABLE IF NOT EXISTS [Orders] (
  OrderID INTEGER PRIMARY KEY AUTOINCREMENT, CustomerID TEXT, OrderDate TEXT, ShipName TEXT,
  ShipAddress TEXT, ShipCity TEXT, ShipState TEXT, ShipPostalCode TEXT, ShipPhoneNumber TEXT,
  ShippingMethodID TEXT, ShippingCost NUMERIC, BillName TEXT, BillAddress TEXT, BillCity TEXT,
  BillState TEXT, BillPostalCode TEXT, BillPhoneNumber TEXT, EMail1 TEXT, EMail2 TEXT,
  SalesTax NUMERIC, Total NUMERIC, SustServPhone TEXT, CCNumber TEXT, CCExp TEXT,
  ShipAddress2 TEXT, BillAddress2 TEXT, Note TEXT, CardType TEXT, Flags TEXT);
CREATE TABLE IF NOT EXISTS [Order Details] (
  OrderID INTEGER, ProductID TEXT, Quantity NUMERIC, Price NUMERIC, LineTotal NUMERIC);
CREATE TABLE IF NOT EXISTS [ImportedMessages] (
  mailbox TEXT NOT NULL, uid TEXT NOT NULL, kept TEXT, PRIMARY KEY (mailbox, uid));
)sql";

// The columns added to the tables after their first form (all TEXT).
struct AddedColumn {
  const char* table;
  const char* column;
};
constexpr AddedColumn kAddedColumns[] = {
    {"Orders", "ShipAddress2"}, {"Orders", "BillAddress2"},   {"Orders", "Note"},
    {"Orders", "CardType"},     {"Orders", "Flags"},          {"ImportedMessages", "kept"}};

constexpr const char* kLineIndex = "Order Details by OrderID";

bool hasColumn(const std::vector<std::string>& columns, const std::string& name) {
  return std::any_of(columns.begin(), columns.end(), [&name](const std::string& column) {
    return text::equalsIgnoringCase(column, name);
  });
}

void addMissingColumns(Database& database) {
  std::string table;
  std::vector<std::string> present;
  for (const AddedColumn& added : kAddedColumns) {
    if (table != added.table) {
      table = added.table;
      present = database.select("select * from [" + table + "] limit 0").columns;
    }
    if (hasColumn(present, added.column)) continue;
    database.execute("ALTER TABLE [" + table + "] ADD COLUMN [" + added.column + "] TEXT");
  }
}

// Each order's lines are read by OrderID.
void indexOrderLines(Database& database) {
  const QueryResult found = database.select(
      std::string("select name from sqlite_master where type = 'index' and name = '") + kLineIndex +
      "'");
  if (!found.rows.empty()) return;
  database.execute(std::string("CREATE INDEX IF NOT EXISTS [") + kLineIndex +
                   "] ON [Order Details] (OrderID)");
}

}  // namespace

void createOrderTables(Database& database) {
  database.createMissingTables({"Orders", "Order Details", "ImportedMessages"}, kSchema);
  addMissingColumns(database);
  indexOrderLines(database);
}

Done prepareOrderTables(Database& database) {
  try {
    createOrderTables(database);
    return {};
  } catch (const DataError& error) {
    return dataFailure(error);
  }
}

const std::vector<std::string>& orderColumns() {
  static const std::vector<std::string> columns = {
      "OrderID",         "CustomerID",    "OrderDate",      "ShipName",        "ShipAddress",
      "ShipCity",        "ShipState",     "ShipPostalCode", "ShipPhoneNumber", "ShippingMethodID",
      "ShippingCost",    "BillName",      "BillAddress",    "BillCity",        "BillState",
      "BillPostalCode",  "BillPhoneNumber", "EMail1",       "EMail2",          "SalesTax",
      "Total",           "SustServPhone", "CCNumber",       "CCExp",           "ShipAddress2",
      "BillAddress2",    "Note",          "CardType",       "Flags"};
  return columns;
}

const std::vector<std::string>& orderLineColumns() {
  static const std::vector<std::string> columns = {"ProductID", "Quantity", "Price", "LineTotal"};
  return columns;
}

}  // namespace vendaro
