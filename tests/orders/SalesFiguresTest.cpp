#include "orders/SalesFigures.h"

#include <gtest/gtest.h>

#include <sstream>

#include "orders/OrderChecks.h"
#include "orders/OrderWorkflow.h"
#include "orders/SalesCommand.h"
#include "orders/SalesOverview.h"
#include "tests/orders/OrderIntakeFixture.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TestDatabase.h"

namespace vendaro {
namespace {

// Five orders over three months: one paid, one cancelled, one flagged by the
// price check, two new.
class SalesFiguresTest : public ::testing::Test {
 protected:
  SalesFiguresTest() {
    testing::TestDatabase database(app.file(kProgramDatabaseFile));
    const std::int64_t paid = add(database, "2026-11-30", "$ 4.13", "$ 7.75", {{"A100", 2, 25}});
    add(database, "2026-12-01", "", "$ 5.00", {{"B200", 1, 10}});
    const std::int64_t cancelled =
        add(database, "2026-12-07", "", "", {{"A100", 1, 25}, {"B200", 3, 10}});
    const std::int64_t flagged = add(database, "2026-12-08", "", "", {{"A100", 4, 25}});
    add(database, "2027-01-04", "", "", {{"C300", 1, 1.99}});
    OrderWorkflow workflow(database);
    EXPECT_TRUE(workflow.change({paid, OrderStatus::Paid, "", "", ""}, "2026-12-01T00:00:00Z"));
    EXPECT_TRUE(
        workflow.change({cancelled, OrderStatus::Cancelled, "", "", ""}, "2026-12-08T00:00:00Z"));
    createOrderCheckTables(database);
    database.execute("INSERT INTO [OrderChecks] (OrderID, Verdict) VALUES (?, ?)",
                     {DbValue(flagged), DbValue("mismatch: A100 price 0.01, catalogue 25.00")});
  }

  struct Line {
    const char* item;
    double quantity;
    double price;
  };
  static std::int64_t add(Database& database, const char* date, const char* tax,
                          const char* shipping, const std::vector<Line>& lines) {
    const std::int64_t id = database.insertRow(
        "Orders", {{"OrderDate", date}, {"SalesTax", tax}, {"ShippingCost", shipping}});
    for (const Line& line : lines) {
      testing::addOrderLine(database, id, line.item, line.quantity, line.price);
    }
    return id;
  }

  std::string sales(const SalesCommandOptions& options) {
    std::ostringstream out;
    std::ostringstream err;
    SalesCommandOptions chosen = options;
    chosen.appFolder = app.path();
    EXPECT_EQ(runSalesCommand(chosen, out, err), 0) << err.str();
    return out.str();
  }

  testing::TempFolder app;
};

TEST_F(SalesFiguresTest, RevenueLeavesOutFlaggedAndCancelledOrders) {
  EXPECT_EQ(sales({}),
            "Revenue by month (flagged and cancelled orders left out):\n"
            "  2026-11  1 orders  61.88\n"
            "  2026-12  1 orders  15.00\n"
            "  2027-01  1 orders  1.99\n"
            "Orders counted: 3, revenue: 78.87, average order: 26.29\n"
            "Left out: 1 flagged by the price check (100.00), 1 cancelled (55.00)\n"
            "Orders by status: new 3 confirmed 0 paid 1 shipped 0 completed 0 cancelled 1\n"
            "Best items by revenue:\n"
            "  A100  2 pieces  50.00\n"
            "  B200  1 pieces  10.00\n"
            "  C300  1 pieces  1.99\n");
}

// ISO weeks: 2026 has 53; 2027's first week starts on Monday 4 January.
TEST_F(SalesFiguresTest, WeeksWithoutOrdersShowAsEmptyBars) {
  SalesCommandOptions options;
  options.from = "2026-12-01";
  options.to = "2027-01-31";
  options.by = "week";
  options.csv = true;
  EXPECT_EQ(sales(options),
            "Figure,Key,Count,Amount\r\n"
            "revenue,2026-W49,1,15.00\r\nrevenue,2026-W50,0,0.00\r\nrevenue,2026-W51,0,0.00\r\n"
            "revenue,2026-W52,0,0.00\r\nrevenue,2026-W53,0,0.00\r\nrevenue,2027-W01,1,1.99\r\n"
            "total,counted,2,16.99\r\ntotal,average,,8.50\r\ntotal,flagged,1,100.00\r\n"
            "total,cancelled,1,55.00\r\n"
            "status,new,3,\r\nstatus,confirmed,0,\r\nstatus,paid,0,\r\nstatus,shipped,0,\r\n"
            "status,completed,0,\r\nstatus,cancelled,1,\r\n"
            "item,B200,1,10.00\r\nitem,C300,1,1.99\r\n");
  EXPECT_EQ(salesPeriodOf("2024-12-30", SalesPeriod::Week), "2025-W01");
  EXPECT_EQ(salesPeriodOf("2021-01-03", SalesPeriod::Week), "2020-W53");
  EXPECT_EQ(salesPeriodOf("2026-1-3", SalesPeriod::Week), "");
}

// The window reads the same figures: the twelve months up to today at
// first, then regrouped by week, and a period box without a date refused.
TEST_F(SalesFiguresTest, OverviewWindowShowsTheYearUpToTodayAsCharts) {
  testing::TestDatabase database(app.file(kProgramDatabaseFile));
  testing::ScriptedDialogs dialogs;
  SalesOverview overview(database, dialogs, [] { return std::string("2026-12-07"); });
  int shown = 0;
  overview.onFiguresShown = [&shown] { ++shown; };
  overview.Form_Load();
  EXPECT_EQ(overview.txtFrom.Text(), "2026-01-01");
  EXPECT_EQ(overview.txtTo.Text(), "2026-12-07");
  EXPECT_TRUE(overview.optMonth.Value());
  EXPECT_EQ(overview.lblTotals.Caption(),
            "Orders counted: 2, revenue: 76.88, average order: 38.44");
  EXPECT_EQ(overview.lblLeftOut.Caption(),
            "Left out: 0 flagged by the price check (0.00), 1 cancelled (55.00)");
  ChartSeries revenue = overview.revenueSeries();
  EXPECT_EQ(revenue.title, "Revenue by month");
  EXPECT_EQ(revenue.labels, (std::vector<std::string>{"2026-11", "2026-12"}));
  EXPECT_EQ(revenue.values, (std::vector<double>{61.88, 15.0}));
  const ChartSeries statuses = overview.statusSeries();
  EXPECT_EQ(statuses.labels, (std::vector<std::string>{"new", "confirmed", "paid", "shipped",
                                                       "completed", "cancelled"}));
  EXPECT_EQ(statuses.values, (std::vector<double>{1, 0, 1, 0, 0, 1}));
  const ChartSeries items = overview.bestItemSeries();
  EXPECT_EQ(items.labels, (std::vector<std::string>{"A100", "B200"}));
  EXPECT_EQ(items.values, (std::vector<double>{50.0, 10.0}));

  overview.optWeek_Click();
  EXPECT_FALSE(overview.optMonth.Value());
  revenue = overview.revenueSeries();
  EXPECT_EQ(revenue.title, "Revenue by week");
  EXPECT_EQ(revenue.labels, (std::vector<std::string>{"2026-W49", "2026-W50"}));
  EXPECT_EQ(revenue.values, (std::vector<double>{76.88, 0.0}));
  EXPECT_EQ(shown, 2);

  overview.txtTo.setText("2026-12-32");
  overview.cmdShow_Click();
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].text, "\"2026-12-32\" is not a date (YYYY-MM-DD)");
  EXPECT_EQ(overview.revenueSeries().labels.size(), 2u);  // the figures shown stay
  EXPECT_EQ(shown, 2);
}

}  // namespace
}  // namespace vendaro
