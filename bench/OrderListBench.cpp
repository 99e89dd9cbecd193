// Times the order viewer's list on a database of many orders (default
// 100,000, or the first argument): every order with its lines, a check
// verdict for each and a status history for every tenth, then the list
// unfiltered, searched and filtered to flagged orders; then the viewer
// itself: opening it (the record and the list) and moving to orders chosen
// in the list and with the record's arrows.
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

#include "orders/OrderChecks.h"
#include "orders/OrderList.h"
#include "orders/OrderTables.h"
#include "orders/OrderViewer.h"
#include "orders/OrderWorkflow.h"
#include "platform/HeadlessDialogs.h"
#include "platform/sqlite/SqliteDatabase.h"

namespace {

using namespace vendaro;

void fill(Database& database, int orders) {
  createOrderTables(database);
  createOrderCheckTables(database);
  OrderWorkflow workflow(database);
  database.beginTransaction();
  for (int n = 1; n <= orders; ++n) {
    const std::string buyer = "buyer" + std::to_string(n);
    const std::int64_t id = database.insertRow(
        "Orders", {{"CustomerID", buyer + " <" + buyer + "@buyer.example>"},
                   {"OrderDate", "2024-05-" + std::to_string(10 + n % 20)},
                   {"BillName", "Buyer " + std::to_string(n)},
                   {"EMail1", buyer + "@buyer.example"},
                   {"Total", "99.99"}});
    database.insertRow("Order Details",
                       {{"OrderID", id}, {"ProductID", "T-1"}, {"Quantity", 2}, {"Price", 22.4}});
    OrderChecker::keep(database, id, {n % 7 ? "ok" : "mismatch: T-1 price 0.01, catalogue 22.40",
                                      "<" + buyer + "@shop>", "2024-05-10T10:00:00Z", buyer});
    if (n % 10 == 0) {
      database.execute(
          "INSERT INTO [OrderHistory] (OrderID, Changed, OldStatus, NewStatus) VALUES (?, ?, ?, ?)",
          {DbValue(id), DbValue("2024-05-11T10:00:00Z"), DbValue("new"), DbValue("confirmed")});
    }
  }
  database.commit();
}

template <typename Work>
double secondsOf(Work work) {
  const auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void timeViewer(Database& database) {
  HeadlessDialogs dialogs;
  frmOrders viewer(database, dialogs);
  std::printf("viewer opens: %.3f s\n", secondsOf([&] { viewer.Form_Load(); }));
  const int rows = static_cast<int>(viewer.orderList.rows().size());
  for (const int row : {rows / 2, rows - 1, 0}) {
    const double seconds = secondsOf([&] { viewer.orderList.lstOrders_Click(row); });
    std::printf("list row %d chosen: %.3f s (record shows order %s)\n", row, seconds,
                viewer.txtFields[0].Text().c_str());
  }
  std::printf("last record: %.3f s\n", secondsOf([&] { viewer.datPrimaryRS_MoveLast(); }));
  std::printf("next record: %.3f s\n", secondsOf([&] { viewer.datPrimaryRS_MovePrevious(); }));
}

double secondsFor(Database& database, const OrderListFilter& filter, std::size_t& rows) {
  const auto start = std::chrono::steady_clock::now();
  rows = listOrders(database, filter).value().size();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
  const int orders = argc > 1 ? std::stoi(argv[1]) : 100000;
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("order-list-bench-" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder);
  {
    SqliteDatabase database(folder / kProgramDatabaseFile);
    fill(database, orders);
  }
  // A fresh connection, as the viewer opens the database.
  SqliteDatabase database(folder / kProgramDatabaseFile);
  std::size_t rows = 0;
  const double all = secondsFor(database, {}, rows);
  std::printf("order list, %d orders: %.3f s for all %zu rows\n", orders, all, rows);
  const double searched = secondsFor(database, {"buyer4242", {}, false, "", ""}, rows);
  std::printf("searched by name or e-mail: %.3f s, %zu rows\n", searched, rows);
  const double flagged = secondsFor(database, {"", {}, true, "", ""}, rows);
  std::printf("flagged only: %.3f s, %zu rows\n", flagged, rows);
  const double confirmed = secondsFor(database, {"", OrderStatus::Confirmed, false, "", ""}, rows);
  std::printf("status confirmed: %.3f s, %zu rows\n", confirmed, rows);
  timeViewer(database);
  std::filesystem::remove_all(folder);
  return 0;
}
