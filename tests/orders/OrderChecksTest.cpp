#include "orders/OrderChecks.h"

#include <gtest/gtest.h>

#include <sstream>

#include "orders/CheckOrdersCommand.h"
#include "orders/OrderCommand.h"
#include "orders/OrderCommands.h"
#include "orders/OrderIntake.h"
#include "tests/orders/OrderIntakeFixture.h"

namespace vendaro {
namespace {

using testing::FakeMail;
using testing::TempFolder;

PublishedCatalogue mugShop(const std::string& price) {
  PublishedCatalogue record;
  record.project = "Shop";
  record.generatedAt = "2024-05-01T00:00:00Z";
  record.salesTaxRate = "0.0825";
  record.shippingByWeight = true;
  record.weightBrackets = {{0, 5, {"13.10", "13.35", "26.70", "28.80"}}};
  record.items = {{"A100", "Mug", price, "1.5"}};
  return record;
}

// Two mugs at `price` within the state by Saver. At 25.00: 50.00 + 4.13 tax
// + 13.10, and the page's total 67.22 (it rounds 67.225 as a binary sum).
std::string orderMail(const std::string& messageId, const std::string& date,
                      const std::string& price = "25.00", const std::string& lineTotal = "50.00",
                      const std::string& from = "ann@buyer.example") {
  return "From: " + from + "\r\nTo: orders@shop.example\r\nSubject: Online Order\r\n" +
         "Message-ID: " + messageId + "\r\nDate: " + date + "\r\n\r\n" +
         "DESCRIPTION=A100 ^ 2 ^ " + price + " ^ " + lineTotal +
         "^\r\n Total Price : $$$ 67.22\r\nAMOUNT=$$$ 67.22\r\nR12=Out\r\nT2=$ 4.13\r\n"
         "V1=Saver\r\nT3=$ 13.10\r\nNameB=Ann\r\nE_Mail1=ann@buyer.example\r\n";
}

class OrderChecksTest : public testing::FakeOrderIntakeTest {
 protected:
  OrderChecksTest() { intake.orderStore.checkOrdersAgainst(folder.path()); }
};

TEST_F(OrderChecksTest, EveryArrivingOrderIsStoredWithItsVerdictAndRepeatsAreFlagged) {
  ASSERT_TRUE(recordPublishedCatalogue(folder.path(), mugShop("25.00")));
  const std::string date = "Mon, 06 May 2024 10:00:00 +0000";
  mail.mailbox = {
      FakeMail{"1", orderMail("<a@shop>", date)},
      FakeMail{"2", orderMail("<b@shop>", date, "0.01", "0.02", "bob@buyer.example")},
      // The same message under another unique id.
      FakeMail{"3", orderMail("<a@shop>", date)},
      // Submit pressed twice: a new message, the same customer and lines.
      FakeMail{"4", orderMail("<c@shop>", "Mon, 06 May 2024 10:40:00 +0000")},
      // The same order again the next day is a new order.
      FakeMail{"5", orderMail("<d@shop>", "Tue, 07 May 2024 10:00:00 +0000")},
  };
  getOrders();
  EXPECT_EQ(storedVerdicts(database),
            (std::map<std::int64_t, std::string>{
                {1, "ok"},
                {2, "mismatch: A100 price 0.01, catalogue 25.00; A100 line total 0.02, "
                    "expected 50.00"},
                {3, "duplicate of 1"},
                {4, "duplicate of 1"},
                {5, "ok"}}));
  // Nothing is lost: every order is stored as received.
  EXPECT_EQ(testing::storedOrders(database).size(), 5u);

  std::ostringstream shown, err;
  ASSERT_EQ(runOrderCommand({folder.path(), "4", "", "", "", ""}, shown, err), 0) << err.str();
  EXPECT_NE(shown.str().find("  PriceCheck: duplicate of 1\n"), std::string::npos) << shown.str();
}

TEST_F(OrderChecksTest, CheckOrdersChecksOldOrdersAndKeepsRepeats) {
  // The third chose the tax within the state and sent none: the choice is
  // kept with the check, so a later check does not take it for out of state.
  std::string untaxed = orderMail("<u@shop>", "Mon, 06 May 2024 12:00:00 +0000", "25.00",
                                  "50.00", "cy@buyer.example");
  untaxed.replace(untaxed.find("T2=$ 4.13"), 9, "T2=$ 0.00");
  mail.mailbox = {FakeMail{"1", orderMail("<a@shop>", "Mon, 06 May 2024 10:00:00 +0000")},
                  FakeMail{"2", orderMail("<a@shop>", "Mon, 06 May 2024 10:00:00 +0000")},
                  FakeMail{"3", untaxed}};
  getOrders();  // nothing published yet
  EXPECT_EQ(storedVerdicts(database),
            (std::map<std::int64_t, std::string>{
                {1, "no catalogue"}, {2, "duplicate of 1"}, {3, "no catalogue"}}));
  // An order stored before orders were checked.
  const std::int64_t old = database.insertRow(
      "Orders", {{"CustomerID", "cy"}, {"SalesTax", "$ 0.00"}, {"Total", "25"}});
  testing::addOrderLine(database, old, "A100 ", 1, 25);
  EXPECT_EQ(storedVerdicts(database).count(old), 0u);

  ASSERT_TRUE(recordPublishedCatalogue(folder.path(), mugShop("25.00")));
  std::ostringstream out, err;
  ASSERT_EQ(runCheckOrdersCommand(folder.path(), out, err), 0) << err.str();
  EXPECT_EQ(storedVerdicts(database).at(old), "ok");
  EXPECT_EQ(storedVerdicts(database).at(3).rfind("mismatch: tax 0.00, expected 4.13", 0), 0u)
      << out.str();

  std::ostringstream none;
  EXPECT_EQ(runCheckOrdersCommand(folder.file("nowhere"), none, err), kOrdersCommandFailed);
}

}  // namespace
}  // namespace vendaro
