#include "orders/OrderViewer.h"

#include <gtest/gtest.h>

#include "platform/sqlite/SqliteDatabase.h"
#include "tests/orders/OrderIntakeFixture.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestDatabase.h"

namespace vendaro {
namespace {

using testing::ScriptedDialogs;
using testing::TempFolder;

constexpr std::size_t kCustomer = 1;

class OrderViewerTest : public ::testing::Test {
 protected:
  std::int64_t addOrder(const std::string& customer, int lineCount) {
    const std::int64_t id =
        database.insertRow("Orders", {{"CustomerID", customer}, {"EMail1", customer + "@mail"}});
    for (int i = 0; i < lineCount; ++i)
      testing::addOrderLine(database, id, "P" + std::to_string(i), 1, 2.5);
    return id;
  }

  const std::string& customer() const { return viewer.txtFields[kCustomer].Text(); }

  TempFolder folder;
  testing::TestDatabase database{folder.file("Vendaro2.mdb")};
  ScriptedDialogs dialogs;
  frmOrders viewer{database, dialogs};
};

TEST_F(OrderViewerTest, StepsThroughOrdersByCustomerWithTheirLines) {
  const std::int64_t carol = addOrder("carol", 1);
  addOrder("alice", 2);
  addOrder("bob", 0);
  viewer.Form_Load();
  EXPECT_EQ(viewer.Caption.Caption(), "Orders");
  EXPECT_EQ(customer(), "alice");
  EXPECT_EQ(viewer.txtFields[17].Text(), "alice@mail");  // Email1 bound to EMail1
  EXPECT_EQ(viewer.datPrimaryRS.Caption(), "Record: 1");
  ASSERT_EQ(viewer.grdDataGrid.rows.size(), 2u);
  EXPECT_EQ(viewer.grdDataGrid.columns,
            (std::vector<std::string>{"OrderID", "ProductID", "Quantity", "Price", "LineTotal"}));
  EXPECT_EQ(viewer.grdDataGrid.rows[1][1], "P1");

  viewer.datPrimaryRS.recordset().MoveNext();
  EXPECT_EQ(customer(), "bob");
  EXPECT_TRUE(viewer.grdDataGrid.rows.empty());
  viewer.datPrimaryRS.recordset().MoveNext();
  EXPECT_EQ(customer(), "carol");
  EXPECT_EQ(viewer.datPrimaryRS.Caption(), "Record: 3");
  ASSERT_EQ(viewer.grdDataGrid.rows.size(), 1u);
  EXPECT_EQ(viewer.grdDataGrid.rows[0][0], std::to_string(carol));
  EXPECT_EQ(viewer.mousePointer, MousePointer::Default);
}

TEST_F(OrderViewerTest, UpdateStaysOnTheEditedOrder) {
  addOrder("alice", 1);
  addOrder("bob", 1);
  viewer.Form_Load();
  viewer.txtFields[kCustomer].setText("zed");
  viewer.cmdUpdate_Click();
  EXPECT_EQ(customer(), "zed");
  EXPECT_EQ(viewer.datPrimaryRS.Caption(), "Record: 1");
  EXPECT_EQ(database.select("select CustomerID from Orders order by OrderID").rows[0][0],
            DbValue("zed"));
  // Nothing edited: the window stays and says nothing.
  viewer.cmdUpdate_Click();
  EXPECT_EQ(customer(), "zed");
  viewer.cmdRefresh_Click();
  EXPECT_EQ(customer(), "bob");
  EXPECT_TRUE(dialogs.messages.empty());
}

// The card number shows masked and locked until asked for; the mask is never
// written back, and the key cannot be edited.
TEST_F(OrderViewerTest, TheCardNumberIsMaskedUntilShownAndNeverOverwritten) {
  database.insertRow("Orders", {{"CustomerID", "amy"},
                                {"CCNumber", "4111111111111111"},
                                {"CCExp", "12/29"},
                                {"Note", "Ring twice"}});
  viewer.Form_Load();
  TextBox& number = viewer.txtFields[frmOrders::kCardNumberField];
  TextBox& expiry = viewer.txtFields[frmOrders::kCardExpiryField];
  EXPECT_TRUE(viewer.txtFields[frmOrders::kOrderIdField].Locked());
  EXPECT_EQ(number.Text(), "************1111");
  EXPECT_EQ(expiry.Text(), "");
  EXPECT_TRUE(number.Locked());
  EXPECT_EQ(viewer.txtFields[26].Text(), "Ring twice");
  EXPECT_EQ(viewer.lblLabels[26].Caption(), "Note:");

  viewer.txtFields[kCustomer].setText("amy b");
  viewer.cmdUpdate_Click();
  const auto stored = [this] {
    return database.select("select CustomerID, CCNumber, CCExp from Orders").rows;
  };
  EXPECT_EQ(stored(), (std::vector<std::vector<DbValue>>{{"amy b", "4111111111111111", "12/29"}}));
  EXPECT_EQ(number.Text(), "************1111");

  viewer.cmdShowCard_Click();
  EXPECT_EQ(number.Text(), "4111111111111111");
  EXPECT_EQ(expiry.Text(), "12/29");
  EXPECT_FALSE(number.Locked());
  expiry.setText("01/30");
  viewer.cmdUpdate_Click();
  EXPECT_EQ(stored(), (std::vector<std::vector<DbValue>>{{"amy b", "4111111111111111", "01/30"}}));
  EXPECT_EQ(number.Text(), "************1111");  // masked again after the move
  EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(OrderViewerTest, DeleteMovesOnAndEmptiesTheWindowAtTheEnd) {
  addOrder("alice", 1);
  addOrder("bob", 2);
  viewer.Form_Load();
  EXPECT_TRUE(viewer.cmdDelete.Enabled());
  viewer.datPrimaryRS.recordset().MoveNext();
  viewer.cmdDelete_Click();  // the last order: the window shows the one before
  EXPECT_EQ(customer(), "alice");
  EXPECT_EQ(viewer.grdDataGrid.rows.size(), 1u);
  viewer.cmdDelete_Click();
  EXPECT_EQ(customer(), "");
  EXPECT_TRUE(viewer.grdDataGrid.rows.empty());
  // Nothing left: the window says so and offers neither Delete nor Update.
  EXPECT_EQ(viewer.datPrimaryRS.Caption(), "No orders yet");
  EXPECT_FALSE(viewer.cmdDelete.Enabled());
  EXPECT_FALSE(viewer.cmdUpdate.Enabled());
  viewer.cmdDelete_Click();
  viewer.cmdUpdate_Click();
  EXPECT_TRUE(database.select("Orders").rows.empty());
  EXPECT_TRUE(database.select("[Order Details]").rows.empty());  // gone with their orders
  EXPECT_TRUE(dialogs.messages.empty());
}

TEST(OrderViewerErrorTest, AnUnreadableDatabaseReportsADataError) {
  TempFolder folder;
  SqliteDatabase database(folder.path());  // a folder, not a database file
  ScriptedDialogs dialogs;
  frmOrders viewer(database, dialogs);
  viewer.Form_Load();
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].text.rfind("Data error event hit err:", 0), 0u);
  EXPECT_TRUE(viewer.grdDataGrid.rows.empty());
}

}  // namespace
}  // namespace vendaro
