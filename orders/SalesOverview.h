#pragma once

#include <functional>
#include <string>
#include <vector>

#include "orders/SalesFigures.h"
#include "platform/Database.h"
#include "platform/Dialogs.h"
#include "platform/controls/Label.h"
#include "platform/controls/OptionButton.h"
#include "platform/controls/TextBox.h"

namespace vendaro {

// The sales overview's form name.
inline constexpr const char* kSalesOverviewForm = "frmSales";

// One chart: its title and its bars, a label and a value each.
struct ChartSeries {
  std::string title;
  std::vector<std::string> labels;
  std::vector<double> values;
  bool counts = false;  // whole numbers (orders), not money
};

// The sales overview `frmSales`: the figures of `vendaro sales` for a chosen
// period (from, to) and grouping (day, week, month), drawn as charts:
// revenue per period, orders by status and the ten best items by revenue,
// with the totals, the average order and what revenue leaves out (flagged
// and cancelled orders) as text. Opens on the twelve months up to today, by
// month.
class SalesOverview {
 public:
  // `today` gives the local date as YYYY-MM-DD.
  SalesOverview(Database& database, Dialogs& dialogs, std::function<std::string()> today);
  SalesOverview(const SalesOverview&) = delete;
  SalesOverview& operator=(const SalesOverview&) = delete;

  void Form_Load();
  // Reads the period and grouping and shows their figures; a box that holds
  // no date (YYYY-MM-DD) is reported and the figures shown stay.
  void cmdShow_Click();
  void cmdClose_Click();
  // Each grouping shows the figures again at once.
  void optDay_Click();
  void optWeek_Click();
  void optMonth_Click();

  const SalesFigures& figures() const { return figures_; }
  // Revenue per period in money (not cents), every period of the figures.
  ChartSeries revenueSeries() const;
  // Orders per status, every status.
  ChartSeries statusSeries() const;
  // The best items' revenue in money, best first.
  ChartSeries bestItemSeries() const;

  // Raised after new figures were read: the view redraws its charts.
  std::function<void()> onFiguresShown;
  // Raised by "&Close": the view closes the window.
  std::function<void()> onClose;

  Label Caption{"Sales Overview"};
  Label lblFrom{"From:"};
  Label lblTo{"To:"};
  TextBox txtFrom;
  TextBox txtTo;
  OptionButton optDay{"Day"};
  OptionButton optWeek{"Week"};
  OptionButton optMonth{"Month"};
  Label cmdShow{"&Show"};
  Label cmdClose{"&Close"};
  Label lblTotals;
  Label lblLeftOut;

 private:
  void choose(OptionButton& chosen);
  SalesPeriod grouping() const;

  Database& database_;
  Dialogs& dialogs_;
  std::function<std::string()> today_;
  SalesFigures figures_;
  SalesPeriod shownBy_ = SalesPeriod::Month;  // the grouping of figures_
};

}  // namespace vendaro
