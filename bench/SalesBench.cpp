// Times the sales figures on a database of N orders (default 100,000) spread
// over 2026, two lines each, a check verdict for each (every seventh
// flagged) and a status change for every tenth (every fiftieth cancelled):
// the sales overview window opening on the year (made, figures read, charts
// drawn and shown on the offscreen platform), and `vendaro sales --by month`
// when the program is given. Targets: each under 1 s.
// Usage: sales_bench [N] [VENDARO_BINARY]
#include <QApplication>
#include <QTest>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "orders/OrderChecks.h"
#include "orders/OrderWorkflow.h"
#include "orders/SalesOverview.h"
#include "orders/SalesOverviewView.h"
#include "platform/HeadlessDialogs.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestDatabase.h"

namespace {

using namespace vendaro;

std::string dayOfYear(int n) {
  const int month = n % 12 + 1;
  const int day = n % 28 + 1;
  return "2026-" + std::string(month < 10 ? "0" : "") + std::to_string(month) + "-" +
         (day < 10 ? "0" : "") + std::to_string(day);
}

void fill(Database& database, int orders) {
  createOrderCheckTables(database);
  OrderWorkflow workflow(database);  // makes the history table
  database.beginTransaction();
  for (int n = 1; n <= orders; ++n) {
    const std::string buyer = "buyer" + std::to_string(n);
    const std::int64_t id = database.insertRow("Orders", {{"CustomerID", buyer + "@buyer.example"},
                                                          {"OrderDate", dayOfYear(n)},
                                                          {"ShippingCost", "$ 3.00"},
                                                          {"SalesTax", "$ 1.65"}});
    for (const std::string& product : {"A" + std::to_string(n % 40), std::string("B7 ")}) {
      database.insertRow("Order Details", {{"OrderID", DbValue(id)},
                                           {"ProductID", DbValue(product)},
                                           {"Quantity", DbValue(" 2 ")},
                                           {"Price", DbValue(" 25.00 ")},
                                           {"LineTotal", DbValue(" 50.00")}});
    }
    OrderChecker::keep(database, id,
                       {n % 7 ? "ok" : "mismatch: B7 price 0.01, catalogue 25.00",
                        "<" + buyer + "@shop>", "2026-05-10T10:00:00Z", buyer});
    if (n % 10 == 0) {
      database.execute(
          "INSERT INTO [OrderHistory] (OrderID, Changed, OldStatus, NewStatus) VALUES (?, ?, ?, ?)",
          {DbValue(id), DbValue("2026-06-01T00:00:00Z"), DbValue("new"),
           DbValue(n % 50 ? "confirmed" : "cancelled")});
    }
  }
  database.commit();
}

double secondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
  const int orders = argc > 1 ? std::stoi(argv[1]) : 100000;
  ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication application(argc, argv);
  testing::TempFolder folder;
  {
    testing::TestDatabase database(folder.file(kProgramDatabaseFile));
    fill(database, orders);
  }
  {
    // A fresh connection, as the window opens the program's database.
    const auto start = std::chrono::steady_clock::now();
    SqliteDatabase database(folder.file(kProgramDatabaseFile));
    HeadlessDialogs dialogs;
    SalesOverview overview(database, dialogs, [] { return std::string("2026-12-31"); });
    SalesOverviewView window(overview);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) return 1;
    std::printf("sales overview window for a year, %d orders: %.3f s (%s)\n", orders,
                secondsSince(start), overview.lblTotals.Caption().c_str());
  }
  if (argc > 2) {
    const std::string command = std::string(argv[2]) + " sales --by month --app-folder '" +
                                folder.path().string() + "' > /dev/null";
    const auto start = std::chrono::steady_clock::now();
    if (std::system(command.c_str()) != 0) return 1;
    std::printf("vendaro sales --by month: %.3f s\n", secondsSince(start));
  }
  return 0;
}
