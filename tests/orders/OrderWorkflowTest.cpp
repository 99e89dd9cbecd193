#include "orders/OrderWorkflow.h"

#include "common/PublishedCatalogue.h"

#include <gtest/gtest.h>

#include <sstream>

#include "orders/OrderCommand.h"
#include "orders/OrderCommands.h"
#include "orders/StockCommand.h"
#include "tests/orders/OrderIntakeFixture.h"
#include "tests/support/TestDatabase.h"

namespace vendaro {
namespace {

using testing::TempFolder;

class OrderWorkflowTest : public ::testing::Test {
 protected:
  OrderWorkflowTest() {
    testing::TestDatabase database(app.file(kProgramDatabaseFile));
    for (const char* customer : {"ann", "bob", "cy"}) {
      const std::int64_t id = database.insertRow(
          "Orders", {{"CustomerID", customer}, {"CCNumber", "4111111111111111"}, {"CCExp", "1/29"}});
      testing::addOrderLine(database, id, "A100", 2, 25);
    }
  }

  // Runs `vendaro order ID [--status ...]`; the exit code, with what it printed.
  int order(const std::string& id, const std::string& status = {}, const std::string& note = {},
            const std::string& carrier = {}, const std::string& tracking = {}) {
    out.str("");
    err.str("");
    return runOrderCommand({app.path(), id, status, note, carrier, tracking}, out, err);
  }

  TempFolder app;
  std::ostringstream out;
  std::ostringstream err;
};

TEST_F(OrderWorkflowTest, OrdersMoveForwardOnlyAndEachChangeIsKept) {
  EXPECT_EQ(order("1", "confirmed", "called the customer"), 0) << err.str();
  EXPECT_EQ(out.str(), "Order 1: new -> confirmed\n");
  // Shipping takes the carrier and tracking code.
  EXPECT_EQ(order("1", "shipped"), kOrdersCommandFailed);
  EXPECT_EQ(err.str(), "vendaro order: Order 1 can be marked shipped only with its carrier and "
                       "tracking code.\n");
  EXPECT_EQ(order("1", "shipped", "", "UPS", "1Z999"), 0) << err.str();
  // Cash on delivery: paid after shipped.
  EXPECT_EQ(order("1", "paid"), 0) << err.str();

  const struct {
    const char* id;
    const char* status;
    const char* refusal;
  } refused[] = {
      {"1", "paid", "Order 1 is paid already."},
      {"1", "shipped", "Order 1 was shipped before; it is paid now."},
      {"1", "cancelled", "Order 1 is shipped; only an order not yet shipped can be cancelled."},
      {"1", "new", "Order 1 was new before; it is paid now."},
      {"9", "paid", "There is no order 9."},
      {"7", "", "there is no order 7"},
      {"x1", "", "\"x1\" is not an order number"},
      {"1", "sent",
       "unknown status \"sent\"; use new, confirmed, paid, shipped, completed or cancelled"},
  };
  for (const auto& change : refused) {
    EXPECT_EQ(order(change.id, change.status), kOrdersCommandFailed) << change.status;
    EXPECT_EQ(err.str(), "vendaro order: " + std::string(change.refusal) + "\n");
  }
  EXPECT_EQ(order("1", "completed"), 0);
  EXPECT_EQ(order("1", "cancelled"), kOrdersCommandFailed);
  EXPECT_EQ(err.str(), "vendaro order: Order 1 is completed; its status does not change any more.\n");

  // A step may be left out; back is refused; cancelled ends it.
  EXPECT_EQ(order("2", "paid"), 0);
  EXPECT_EQ(order("2", "confirmed"), kOrdersCommandFailed);
  EXPECT_EQ(err.str(), "vendaro order: Order 2 is paid; it cannot go back to confirmed.\n");
  EXPECT_EQ(order("2", "cancelled", "out of stock"), 0);
  EXPECT_EQ(order("2", "paid"), kOrdersCommandFailed);

  ASSERT_EQ(order("1"), 0) << err.str();
  const std::string shown = out.str();
  EXPECT_EQ(shown.rfind("Order 1\n  CustomerID: ann\n", 0), 0u) << shown;
  EXPECT_NE(shown.find("  CCNumber: ************1111\n"), std::string::npos);
  EXPECT_EQ(shown.find("1/29"), std::string::npos);
  EXPECT_NE(shown.find("  PriceCheck: not checked\n  Status: completed\n  Lines: 1\n"
                       "    A100 | 2 | 25 | 50\n  History: 4\n"),
            std::string::npos)
      << shown;
  EXPECT_NE(shown.find(" new -> confirmed: called the customer\n"), std::string::npos);
  EXPECT_NE(shown.find(" confirmed -> shipped, UPS 1Z999\n"), std::string::npos);
  EXPECT_NE(shown.find(" shipped -> paid\n"), std::string::npos);
}

// Each order holds two of A100. The merchant counted five in the project.
TEST_F(OrderWorkflowTest, ConfirmingLowersTheCountAndCancellingRaisesIt) {
  PublishedCatalogue record;
  record.project = "Shop";
  record.generatedAt = "2024-05-01T00:00:00Z";
  record.items = {{"A100", "Mug", "25.00", "1"}};
  ASSERT_TRUE(recordPublishedCatalogue(app.path(), record));
  std::filesystem::create_directory(app.file("Shop"));
  app.write("Shop/Shop.stk", "A100^5^\r\n");
  const auto stock = [this](std::optional<std::int64_t> low = std::nullopt) {
    std::ostringstream listing, problems;
    EXPECT_EQ(runStockCommand(app.path(), low, listing, problems), 0) << problems.str();
    return listing.str();
  };

  ASSERT_EQ(order("1", "confirmed"), 0) << err.str();
  EXPECT_EQ(app.read("Shop/Shop.stk"), "A100^3^\r\n");
  ASSERT_EQ(order("1", "paid"), 0);
  EXPECT_EQ(stock(), "A100  3  (Shop)\n") << "lowered once only";
  ASSERT_EQ(order("2", "paid"), 0) << "confirmed left out still takes the goods";
  ASSERT_EQ(order("3", "cancelled"), 0);
  EXPECT_EQ(stock(), "A100  1  (Shop)\n") << "a new order cancelled gives nothing back";
  ASSERT_EQ(order("3", "confirmed"), 2);
  ASSERT_EQ(order("1", "cancelled"), 0);
  EXPECT_EQ(app.read("Shop/Shop.stk"), "A100^3^\r\n");

  // The merchant counts again in the project: the new count stands.
  app.write("Shop/Shop.stk", "A100^0^\r\n");
  EXPECT_EQ(stock(1), "A100  0  sold out  (Shop)\n");
  ASSERT_EQ(order("2", "cancelled"), 0);
  EXPECT_EQ(stock(1), "") << "two are back on hand";
  EXPECT_EQ(stock(), "A100  2  (Shop)\n");
  app.write("Shop/Shop.stk", "");
  EXPECT_EQ(stock(), "") << "an emptied count is not counted";
}

}  // namespace
}  // namespace vendaro
