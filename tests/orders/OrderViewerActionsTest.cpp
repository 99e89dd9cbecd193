// The order viewer's list, price check banner and status actions, over a
// real SQLite file with orders of each verdict.
#include <gtest/gtest.h>

#include "orders/OrderChecks.h"
#include "orders/OrderViewer.h"
#include "orders/OrderWorkflow.h"
#include "orders/Outbox.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestDatabase.h"

namespace vendaro {
namespace {

using testing::ScriptedDialogs;
using testing::TempFolder;

std::vector<std::int64_t> listed(const frmOrders& viewer) {
  std::vector<std::int64_t> ids;
  for (const OrderListRow& row : viewer.orderList.rows()) ids.push_back(row.orderId);
  return ids;
}

class OrderViewerActionsTest : public ::testing::Test {
 protected:
  OrderViewerActionsTest() {
    createOrderCheckTables(database);
    add("Ann", "2026-11-01", "ok");
    add("Bob", "2026-11-05",
        "mismatch: S100 price 0.01, catalogue 49.95; total 0.01, computed 49.95");
    add("Cy", "2026-11-20", "");
    add("Di", "2026-12-01", "no catalogue");
    add("Ed", "2026-12-02", "duplicate of 4");
    OrderWorkflow workflow(database);
    EXPECT_TRUE(workflow.change({1, OrderStatus::Paid, "", "", ""}, "2026-11-02T09:00:00Z"));
  }

  void add(const std::string& name, const std::string& date, const std::string& verdict) {
    const std::int64_t id = database.insertRow(
        "Orders", {{"CustomerID", name}, {"BillName", name}, {"OrderDate", date},
                   {"EMail1", name + "@buyer.example"}, {"Total", "49.95"}});
    if (!verdict.empty()) OrderChecker::keep(database, id, {verdict, "", "", ""});
  }

  frmOrders& open(OrderViewerServices services = {}) {
    services.appFolder = folder.path();
    services.now = [] { return std::int64_t{1796634000}; };  // 2026-12-07T09:00:00Z
    viewer = std::make_unique<frmOrders>(database, dialogs, std::move(services));
    viewer->Form_Load();
    return *viewer;
  }

  void choose(frmOrders& orders, std::int64_t orderId) {
    const std::vector<std::int64_t> ids = listed(orders);
    const auto row = std::find(ids.begin(), ids.end(), orderId) - ids.begin();
    orders.orderList.lstOrders_Click(static_cast<int>(row));
  }

  void setStatus(frmOrders& orders, OrderStatus status) {
    orders.orderRecord.cboNewStatus.setListIndex(static_cast<int>(status));
    orders.orderRecord.cmdSetStatus_Click();
  }

  TempFolder folder;
  testing::TestDatabase database{folder.file(kProgramDatabaseFile)};
  ScriptedDialogs dialogs;
  std::unique_ptr<frmOrders> viewer;
};

TEST_F(OrderViewerActionsTest, ListsNewestFirstFiltersAndShowsTheChosenOrderWithItsBanner) {
  frmOrders& orders = open();
  OrderListPane& list = orders.orderList;
  EXPECT_EQ(listed(orders), (std::vector<std::int64_t>{5, 4, 3, 2, 1}));
  EXPECT_EQ(list.cells(4),
            (std::vector<std::string>{"1", "2026-11-01", "Ann", "49.95", "paid", "ok"}));
  EXPECT_EQ(list.lblCount.Caption(), "5 orders");
  // The record opens on the first customer; the list marks that order.
  EXPECT_EQ(orders.txtFields[0].Text(), "1");
  EXPECT_EQ(list.selectedRow(), 4);
  EXPECT_EQ(orders.orderRecord.bannerKind, BannerKind::Ok);
  EXPECT_EQ(orders.orderRecord.lblStatus.Caption(), "Status: paid");

  choose(orders, 2);
  EXPECT_EQ(orders.txtFields[0].Text(), "2");
  EXPECT_EQ(orders.txtFields[11].Text(), "Bob");
  EXPECT_EQ(orders.orderRecord.bannerKind, BannerKind::Flagged);
  EXPECT_TRUE(orders.orderRecord.lblBanner.Visible());
  EXPECT_EQ(orders.orderRecord.lblBanner.Caption(),
            "Price check: mismatch\nS100 price 0.01, catalogue 49.95\ntotal 0.01, computed 49.95");
  orders.datPrimaryRS_MoveNext();  // by customer: Cy
  EXPECT_EQ(list.selectedRow(), 2);
  EXPECT_EQ(orders.orderRecord.bannerKind, BannerKind::Unchecked);
  EXPECT_EQ(orders.orderRecord.lblBanner.Caption().rfind("Price check: not checked", 0), 0u);
  choose(orders, 5);
  EXPECT_EQ(orders.orderRecord.lblBanner.Caption(),
            "Price check: duplicate of 4 (the same order arrived twice)");
  EXPECT_EQ(orders.orderRecord.bannerKind, BannerKind::Flagged);

  list.chkFlagged.setValue(1);
  list.cmdFind_Click();
  EXPECT_EQ(listed(orders), (std::vector<std::int64_t>{5, 4, 3, 2}));
  EXPECT_EQ(list.selectedRow(), 0);  // order 5 stays chosen
  list.chkFlagged.setValue(0);
  list.cboStatus.setListIndex(3);  // paid
  list.cmdFind_Click();
  EXPECT_EQ(listed(orders), (std::vector<std::int64_t>{1}));
  list.cboStatus.setListIndex(0);
  list.txtSearch.setText("BOB@");
  list.cmdFind_Click();
  EXPECT_EQ(listed(orders), (std::vector<std::int64_t>{2}));
  list.txtSearch.setText("");
  list.txtFromDate.setText("2026-11-02");
  list.txtToDate.setText("2026-11-20");
  list.cmdFind_Click();
  EXPECT_EQ(listed(orders), (std::vector<std::int64_t>{3, 2}));
  EXPECT_TRUE(dialogs.messages.empty());
  list.txtToDate.setText("20.11.2026");
  list.cmdFind_Click();
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].text, OrderListPane::kBadDate);
  EXPECT_EQ(listed(orders), (std::vector<std::int64_t>{3, 2}));
}

TEST_F(OrderViewerActionsTest, StatusChangesAreRecordedAndARefusalChangesNothing) {
  frmOrders& orders = open();
  OrderRecordPanel& record = orders.orderRecord;
  setStatus(orders, OrderStatus::Confirmed);  // order 1 is paid: no way back
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].text.find("Order 1"), 0u) << dialogs.messages[0].text;
  EXPECT_EQ(record.lstHistory.ListCount(), 1);
  record.txtNote.setText("left at the door");
  setStatus(orders, OrderStatus::Shipped);  // no carrier
  ASSERT_EQ(dialogs.messages.size(), 2u);
  EXPECT_EQ(dialogs.messages[1].text,
            "Order 1 can be marked shipped only with its carrier and tracking code.");
  EXPECT_EQ(record.txtNote.Text(), "left at the door");
  EXPECT_EQ(record.lblStatus.Caption(), "Status: paid");

  record.txtCarrier.setText("DHL");
  record.txtTracking.setText("0042");
  setStatus(orders, OrderStatus::Shipped);
  EXPECT_EQ(dialogs.messages.size(), 2u);
  EXPECT_EQ(record.lblStatus.Caption(), "Status: shipped");
  ASSERT_EQ(record.lstHistory.ListCount(), 2);
  EXPECT_EQ(record.lstHistory.List(1),
            "2026-12-07T09:00:00Z  paid -> shipped, DHL 0042: left at the door");
  EXPECT_EQ(record.txtNote.Text(), "");
  EXPECT_EQ(orders.orderList.rows()[4].status, OrderStatus::Shipped);
  EXPECT_EQ(OrderWorkflow(database).status(1), OrderStatus::Shipped);
}

TEST_F(OrderViewerActionsTest, NotifyQueuesOneMailAndIsCheckedBeforeTheStatusChanges) {
  OrderViewerServices services;
  services.mailFrom = "shop@kestrel.example";
  frmOrders& orders = open(services);
  OrderRecordPanel& record = orders.orderRecord;
  choose(orders, 2);
  record.chkNotify.setValue(1);
  setStatus(orders, OrderStatus::Paid);
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].text, OrderRecordPanel::kNotNotified);
  EXPECT_EQ(OrderWorkflow(database).status(2), OrderStatus::New);

  setStatus(orders, OrderStatus::Confirmed);
  EXPECT_EQ(dialogs.messages.size(), 1u);
  const std::vector<OutboxMail> waiting = Outbox(database).waiting().value();
  ASSERT_EQ(waiting.size(), 1u);
  EXPECT_EQ(waiting[0].orderId, 2);
  EXPECT_EQ(waiting[0].event, "confirmed");
  EXPECT_EQ(waiting[0].recipient, "Bob@buyer.example");
  EXPECT_NE(record.lblOutcome.Caption().find("queued"), std::string::npos);

  // Without a sender nothing changes.
  viewer.reset();
  frmOrders& unsent = open();
  choose(unsent, 2);
  unsent.orderRecord.chkNotify.setValue(1);
  setStatus(unsent, OrderStatus::Cancelled);
  EXPECT_EQ(dialogs.messages.back().text, OrderRecordPanel::kNoSender);
  EXPECT_EQ(OrderWorkflow(database).status(2), OrderStatus::Confirmed);
}

}  // namespace
}  // namespace vendaro
