#pragma once

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "orders/OrderIntake.h"
#include "platform/sqlite/SqliteDatabase.h"
#include "tests/support/FakeMailClient.h"
#include "tests/support/ManualEventLoop.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestDatabase.h"

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

using Rows = std::vector<std::vector<DbValue>>;

// The order intake tab over the fake mailbox and the manual loop, its
// database in a temporary folder.
class FakeOrderIntakeTest : public ::testing::Test {
 protected:
  FakeOrderIntakeTest()
      : intake(OrderIntakePlatform{loop, dialogs, settings, database, [] { return "2024-05-06"; }},
               std::make_unique<FakeMailClient>(loop)),
        mail(static_cast<FakeMailClient&>(intake.session.mailClient())) {
    intake.PopUserName.setText("orders");
    intake.PopPassword.setText("secret");
  }

  // Clicks "Get Orders" and runs the intake to its end, calling `step` between steps.
  void getOrders() {
    intake.cmdGetMail_Click();
    step();
    loop.runPending();
    for (int n = 0; n < 10000 && intake.session.running(); ++n) {
      step();
      loop.advance(10);
    }
    step();
  }
  virtual void step() {}

  TempFolder folder;
  ManualEventLoop loop;
  ScriptedDialogs dialogs;
  MailSettings settings;
  TestDatabase database{folder.file(kProgramDatabaseFile)};
  OrderIntake intake;
  FakeMailClient& mail;
};

}  // namespace vendaro::testing
