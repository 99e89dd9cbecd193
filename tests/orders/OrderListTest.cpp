#include "orders/OrderList.h"

#include <gtest/gtest.h>

#include "orders/OrderChecks.h"
#include "orders/OrderWorkflow.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestDatabase.h"

namespace vendaro {
namespace {

std::vector<std::int64_t> idsOf(const std::vector<OrderListRow>& rows) {
  std::vector<std::int64_t> ids;
  for (const OrderListRow& row : rows) ids.push_back(row.orderId);
  return ids;
}

TEST(OrderListTest, ListsNewestFirstAndFiltersByTextStatusCheckAndDate) {
  testing::TempFolder folder;
  testing::TestDatabase database(folder.file(kProgramDatabaseFile));
  const auto add = [&](const char* name, const char* email, const char* date) {
    return database.insertRow("Orders", {{"CustomerID", std::string("x <") + email + ">"},
                                         {"BillName", name},
                                         {"EMail1", email},
                                         {"OrderDate", date},
                                         {"Total", "12.5"}});
  };
  add("Ann Lee", "ann@buyer.example", "2024-05-01");
  add("", "bob_1@buyer.example", "2024-05-03");
  add("Cy 100%", "cy@shop.example", "2024-05-06");
  createOrderCheckTables(database);
  OrderChecker::keep(database, 1, {"ok", "", "", ""});
  OrderChecker::keep(database, 2, {"mismatch: A100 unknown item", "", "", ""});
  OrderWorkflow workflow(database);
  ASSERT_TRUE(workflow.change({1, OrderStatus::Paid, "", "", ""}, "t"));

  const std::vector<OrderListRow> all = listOrders(database, {}).value();
  ASSERT_EQ(idsOf(all), (std::vector<std::int64_t>{3, 2, 1}));
  EXPECT_EQ(all[1].customer, "x <bob_1@buyer.example>");  // no billing name: the sender
  EXPECT_EQ(all[0].verdict, "not checked");
  EXPECT_EQ(all[2].status, OrderStatus::Paid);
  EXPECT_EQ(all[2].total, "12.5");

  const auto ids = [&](OrderListFilter filter) {
    return idsOf(listOrders(database, filter).value());
  };
  EXPECT_EQ(ids({"lee", {}, false, "", ""}), (std::vector<std::int64_t>{1}));
  EXPECT_EQ(ids({"BUYER.example", {}, false, "", ""}), (std::vector<std::int64_t>{2, 1}));
  // Wildcards are searched as typed.
  EXPECT_EQ(ids({"100%", {}, false, "", ""}), (std::vector<std::int64_t>{3}));
  EXPECT_EQ(ids({"b_1", {}, false, "", ""}), (std::vector<std::int64_t>{2}));
  EXPECT_EQ(ids({"bo_", {}, false, "", ""}), (std::vector<std::int64_t>{}));
  EXPECT_EQ(ids({"", OrderStatus::New, false, "", ""}), (std::vector<std::int64_t>{3, 2}));
  EXPECT_EQ(ids({"", {}, true, "", ""}), (std::vector<std::int64_t>{3, 2}));
  EXPECT_EQ(ids({"", {}, false, "2024-05-03", "2024-05-05"}), (std::vector<std::int64_t>{2}));
}

}  // namespace
}  // namespace vendaro
