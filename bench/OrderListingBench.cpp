// Times `vendaro orders` as text and as CSV on a database of N orders with
// two lines each (written to /dev/null), and at N/2 to show the growth.
// Targets: 100,000 orders under 2 s each.
// Usage: order_listing_bench [N]   (default 100000)
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>

#include "orders/OrderCommands.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestDatabase.h"

namespace {

using namespace vendaro;

void fillOrders(Database& database, int count) {
  database.beginTransaction();
  for (int i = 0; i < count; ++i) {
    const std::string n = std::to_string(i);
    const std::int64_t id = database.insertRow(
        "Orders", {{"CustomerID", " buyer" + n + "@x.example"},
                   {"OrderDate", "2026-12-07"},
                   {"ShipName", "Buyer " + n},
                   {"ShipAddress", n + " Main St"},
                   {"ShippingCost", "$ 3.00"},
                   {"BillName", "Buyer " + n},
                   {"Total", "$$$ 54.12"},
                   {"CCNumber", "4111111111111111"},
                   {"CCExp", "12/29"}});
    for (const char* product : {"A100 ", "B7 "}) {
      database.insertRow("Order Details", {{"OrderID", DbValue(id)},
                                           {"ProductID", DbValue(product)},
                                           {"Quantity", DbValue(" 2 ")},
                                           {"Price", DbValue(" 25.00 ")},
                                           {"LineTotal", DbValue(" 50.00")}});
    }
  }
  database.commit();
}

double listSeconds(const std::filesystem::path& folder, bool csv) {
  std::ofstream sink("/dev/null");
  const auto start = std::chrono::steady_clock::now();
  const int code = runOrdersCommand({folder, csv, false}, sink, std::cerr);
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
  if (code != 0) std::exit(code);
  return took.count();
}

}  // namespace

int main(int argc, char** argv) {
  const int count = argc > 1 ? std::atoi(argv[1]) : 100000;
  for (const int orders : {count / 2, count}) {
    testing::TempFolder folder;
    {
      testing::TestDatabase database(folder.file(kProgramDatabaseFile));
      fillOrders(database, orders);
    }
    std::cout << "orders listing, " << orders << " orders: text " << listSeconds(folder.path(), false)
              << " s, csv " << listSeconds(folder.path(), true) << " s\n";
  }
  return 0;
}
