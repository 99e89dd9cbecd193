#include "orders/SalesOverview.h"

#include <utility>

#include "common/Dates.h"
#include "orders/OrderTables.h"

namespace vendaro {
namespace {

constexpr const char* kCannotRead = "Cannot read the order database: ";

bool isDateOrEmpty(const std::string& text) {
  return text.empty() || isDayText(text);
}

// The first day of the month eleven months before `today`'s: with today's
// month, twelve months.
std::string yearBefore(const std::string& today) {
  const std::optional<CivilDay> day = dayOf(today);
  if (!day) return {};
  int year = day->year;
  int month = day->month - 11;
  if (month < 1) {
    month += 12;
    --year;
  }
  return std::to_string(year) + (month < 10 ? "-0" : "-") + std::to_string(month) + "-01";
}

double money(std::int64_t cents) {
  return static_cast<double>(cents) / 100.0;
}

}  // namespace

SalesOverview::SalesOverview(Database& database, Dialogs& dialogs,
                             std::function<std::string()> today)
    : database_(database), dialogs_(dialogs), today_(std::move(today)) {}

void SalesOverview::Form_Load() {
  const std::string today = today_();
  txtFrom.setText(yearBefore(today));
  txtTo.setText(today);
  choose(optMonth);
  if (const Done tables = prepareOrderTables(database_); !tables) {
    dialogs_.MsgBox(kCannotRead + tables.error().message);
    return;
  }
  cmdShow_Click();
}

void SalesOverview::cmdShow_Click() {
  for (const TextBox* box : {&txtFrom, &txtTo}) {
    if (!isDateOrEmpty(box->Text())) {
      dialogs_.MsgBox("\"" + box->Text() + "\" is not a date (YYYY-MM-DD)");
      return;
    }
  }
  Outcome<SalesFigures> figures =
      salesFigures(database_, {txtFrom.Text(), txtTo.Text(), grouping()});
  if (!figures) {
    dialogs_.MsgBox(kCannotRead + figures.error().message);
    return;
  }
  figures_ = std::move(*figures);
  shownBy_ = grouping();
  lblTotals.setCaption(salesTotalsText(figures_));
  lblLeftOut.setCaption(salesLeftOutText(figures_));
  if (onFiguresShown) onFiguresShown();
}

void SalesOverview::cmdClose_Click() {
  if (onClose) onClose();
}

void SalesOverview::optDay_Click() {
  choose(optDay);
  cmdShow_Click();
}

void SalesOverview::optWeek_Click() {
  choose(optWeek);
  cmdShow_Click();
}

void SalesOverview::optMonth_Click() {
  choose(optMonth);
  cmdShow_Click();
}

void SalesOverview::choose(OptionButton& chosen) {
  for (OptionButton* option : {&optDay, &optWeek, &optMonth}) {
    option->setValue(option == &chosen);
  }
}

SalesPeriod SalesOverview::grouping() const {
  if (optDay.Value()) return SalesPeriod::Day;
  if (optWeek.Value()) return SalesPeriod::Week;
  return SalesPeriod::Month;
}

ChartSeries SalesOverview::revenueSeries() const {
  const char* by = shownBy_ == SalesPeriod::Day    ? "day"
                   : shownBy_ == SalesPeriod::Week ? "week"
                                                   : "month";
  ChartSeries series{std::string("Revenue by ") + by, {}, {}, false};
  for (const auto& bar : figures_.bars) {
    series.labels.push_back(bar.period);
    series.values.push_back(money(bar.revenueCents));
  }
  return series;
}

ChartSeries SalesOverview::statusSeries() const {
  ChartSeries series{"Orders by status", {}, {}, true};
  for (const auto& [status, count] : figures_.ordersByStatus) {
    series.labels.emplace_back(statusName(status));
    series.values.push_back(static_cast<double>(count));
  }
  return series;
}

ChartSeries SalesOverview::bestItemSeries() const {
  ChartSeries series{"Best items by revenue", {}, {}, false};
  for (const auto& item : figures_.bestItems) {
    series.labels.push_back(item.item);
    series.values.push_back(money(item.revenueCents));
  }
  return series;
}

}  // namespace vendaro
