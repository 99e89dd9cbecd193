#include "orders/SalesFigures.h"

#include <algorithm>
#include <map>
#include <optional>
#include <unordered_map>

#include "common/Dates.h"
#include "orders/OrderNumbers.h"
#include "orders/PriceCheck.h"
#include "platform/DataFailure.h"
#include "platform/SqlText.h"

namespace vendaro {
namespace {

bool hasTable(Database& database, const char* name) {
  return !database
              .query("SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ?",
                     {DbValue(name)})
              .rows.empty();
}

// The orders of the period by OrderID, each with its newest status and its
// check verdict. The period's ends are written into the text because the
// rows are streamed, which binds no parameters.
std::string ordersQuery(bool withHistory, bool withChecks, const SalesQuery& query) {
  const std::string status = withHistory
                                 ? "COALESCE((SELECT h.NewStatus FROM [OrderHistory] h "
                                   "WHERE h.OrderID = o.OrderID ORDER BY h.rowid DESC LIMIT 1), "
                                   "'new')"
                                 : "'new'";
  const std::string verdict = withChecks
                                  ? "(SELECT c.Verdict FROM [OrderChecks] c WHERE c.OrderID = "
                                    "o.OrderID)"
                                  : "NULL";
  std::string sql = "SELECT o.OrderID, substr(o.OrderDate, 1, 10), o.SalesTax, o.ShippingCost, " +
                    status + ", " + verdict + " FROM [Orders] o WHERE 1";
  if (!query.from.empty())
    sql += " AND substr(o.OrderDate, 1, 10) >= " + sqlStringLiteral(query.from);
  if (!query.to.empty()) sql += " AND substr(o.OrderDate, 1, 10) <= " + sqlStringLiteral(query.to);
  return sql + " ORDER BY o.OrderID";
}

// A verdict that says something is wrong with the order's figures.
bool isFlagged(const std::string& verdict) {
  return verdict.rfind(kVerdictMismatch, 0) == 0 || verdict.rfind(kVerdictDuplicate, 0) == 0;
}

struct OrderRow {
  std::int64_t id = 0;
  std::size_t period = 0;  // index into OrderPeriods::names
  OrderStatus status = OrderStatus::New;
  bool flagged = false;
  std::int64_t cents = 0;  // tax and shipping, then the lines added
};

// The periods from `first` to `last` (both periods of `by`), each once.
std::vector<std::string> periodsBetween(const std::string& firstDate, const std::string& lastDate,
                                        SalesPeriod by) {
  std::vector<std::string> periods;
  const std::optional<CivilDay> first = dayOf(firstDate);
  const std::optional<CivilDay> lastDay = dayOf(lastDate);
  if (!first || !lastDay) return periods;
  const std::int64_t last = daysSinceEpoch(*lastDay);
  for (std::int64_t days = daysSinceEpoch(*first); days <= last; ++days) {
    std::string period = salesPeriodOf(dayText(days), by);
    if (periods.empty() || periods.back() != period) periods.push_back(std::move(period));
  }
  return periods;
}

// The periods the orders fall in, each worked out once per order date.
struct OrderPeriods {
  std::unordered_map<std::string, std::size_t> ofDate;
  std::unordered_map<std::string, std::size_t> ofName;
  std::vector<std::string> names;
  std::string firstDate;
  std::string lastDate;

  // The index of `date`'s period; nullopt for a date that is not YYYY-MM-DD.
  std::optional<std::size_t> of(const std::string& date, SalesPeriod by) {
    const auto known = ofDate.find(date);
    if (known != ofDate.end()) return known->second;
    std::string period = salesPeriodOf(date, by);
    if (period.empty()) return std::nullopt;
    if (firstDate.empty() || date < firstDate) firstDate = date;
    if (lastDate.empty() || date > lastDate) lastDate = date;
    const auto [name, added] = ofName.try_emplace(period, names.size());
    if (added) names.push_back(std::move(period));
    const std::size_t index = name->second;
    ofDate.emplace(date, index);
    return index;
  }
};

// The orders of the period, by OrderID; streamed, so only the few figures
// of each order are held.
std::vector<OrderRow> readOrders(Database& database, const SalesQuery& query,
                                 OrderPeriods& periods) {
  std::vector<OrderRow> orders;
  database.eachRow(
      ordersQuery(hasTable(database, "OrderHistory"), hasTable(database, "OrderChecks"), query),
      [](const std::vector<std::string>&) {},
      [&](const std::vector<DbValue>& row) {
        if (!row[0].isInteger()) return;
        const std::optional<std::size_t> period = periods.of(row[1].toText(), query.by);
        if (!period) return;
        OrderRow& order = orders.emplace_back();
        order.id = row[0].integer();
        order.period = *period;
        order.status = statusNamed(row[4].toText()).value_or(OrderStatus::New);
        order.flagged = isFlagged(row[5].toText());
        order.cents = centsOf(row[2].toText()).value_or(0) + centsOf(row[3].toText()).value_or(0);
      });
  return orders;
}

OrderRow* orderWithId(std::vector<OrderRow>& orders, std::int64_t id) {
  const auto found =
      std::lower_bound(orders.begin(), orders.end(), id,
                       [](const OrderRow& order, std::int64_t key) { return order.id < key; });
  return found != orders.end() && found->id == id ? &*found : nullptr;
}

using Items = std::unordered_map<std::string, SalesFigures::Item>;

// Adds each line to its order's amount and, for an order that counts, to
// its item. Lines stream past one at a time: a large database is not held
// in memory. Only the lines from the first order to the last are read (the
// lines' index on OrderID finds them).
void addLines(Database& database, std::vector<OrderRow>& orders, Items& items) {
  database.eachRow(
      "SELECT OrderID, ProductID, Quantity, Price, LineTotal FROM [Order Details] WHERE OrderID "
      "BETWEEN " +
          std::to_string(orders.front().id) + " AND " + std::to_string(orders.back().id),
      [](const std::vector<std::string>&) {},
      [&orders, &items](const std::vector<DbValue>& line) {
        if (!line[0].isInteger()) return;
        OrderRow* order = orderWithId(orders, line[0].integer());
        if (order == nullptr) return;
        const std::optional<double> quantity = scriptNumber(line[2].toText());
        const std::int64_t cents =
            centsOf(line[4].toText())
                .value_or(scriptCents(static_cast<double>(centsOf(line[3].toText()).value_or(0)) *
                                      quantity.value_or(0) / 100.0));
        order->cents += cents;
        if (order->flagged || order->status == OrderStatus::Cancelled) return;
        const std::string name = line[1].toText();
        SalesFigures::Item& item =
            items.try_emplace(name, SalesFigures::Item{name, 0, 0}).first->second;
        item.quantity += static_cast<std::int64_t>(quantity.value_or(0));
        item.revenueCents += cents;
      });
}

}  // namespace

std::string salesPeriodOf(const std::string& date, SalesPeriod by) {
  const std::optional<CivilDay> day = dayOf(date);
  if (!day) return {};
  switch (by) {
    case SalesPeriod::Day:
      return date;
    case SalesPeriod::Month:
      return date.substr(0, 7);
    case SalesPeriod::Week:
      return isoWeekText(daysSinceEpoch(*day));
  }
  return {};
}

std::string salesTotalsText(const SalesFigures& figures) {
  return "Orders counted: " + std::to_string(figures.countedOrders) +
         ", revenue: " + moneyText(figures.revenueCents) +
         ", average order: " + moneyText(figures.averageCents);
}

std::string salesLeftOutText(const SalesFigures& figures) {
  return "Left out: " + std::to_string(figures.flagged.orders) + " flagged by the price check (" +
         moneyText(figures.flagged.cents) + "), " + std::to_string(figures.cancelled.orders) +
         " cancelled (" + moneyText(figures.cancelled.cents) + ")";
}

namespace {

SalesFigures readSalesFigures(Database& database, const SalesQuery& query) {
  OrderPeriods periods;
  std::vector<OrderRow> orders = readOrders(database, query, periods);
  Items items;
  if (!orders.empty()) addLines(database, orders, items);

  SalesFigures figures;
  std::map<std::string, SalesFigures::Bar> bars;
  for (const std::string& period : periodsBetween(periods.firstDate, periods.lastDate, query.by)) {
    bars[period].period = period;
  }
  std::map<OrderStatus, std::int64_t> statuses;
  for (const OrderRow& order : orders) {
    ++statuses[order.status];
    SalesFigures::Apart* apart = order.status == OrderStatus::Cancelled ? &figures.cancelled
                                 : order.flagged                        ? &figures.flagged
                                                                        : nullptr;
    if (apart) {
      ++apart->orders;
      apart->cents += order.cents;
      continue;
    }
    SalesFigures::Bar& bar = bars[periods.names[order.period]];
    bar.period = periods.names[order.period];
    ++bar.orders;
    bar.revenueCents += order.cents;
    ++figures.countedOrders;
    figures.revenueCents += order.cents;
  }
  for (auto& [period, bar] : bars) figures.bars.push_back(bar);
  for (const OrderStatus status :
       {OrderStatus::New, OrderStatus::Confirmed, OrderStatus::Paid, OrderStatus::Shipped,
        OrderStatus::Completed, OrderStatus::Cancelled}) {
    figures.ordersByStatus.emplace_back(status, statuses[status]);
  }
  for (auto& [name, item] : items) figures.bestItems.push_back(item);
  std::sort(figures.bestItems.begin(), figures.bestItems.end(), [](const auto& a, const auto& b) {
    return a.revenueCents != b.revenueCents ? a.revenueCents > b.revenueCents : a.item < b.item;
  });
  if (figures.bestItems.size() > 10) figures.bestItems.resize(10);
  if (figures.countedOrders > 0) {
    figures.averageCents =
        (2 * figures.revenueCents + figures.countedOrders) / (2 * figures.countedOrders);
  }
  return figures;
}

}  // namespace

Outcome<SalesFigures> salesFigures(Database& database, const SalesQuery& query) {
  try {
    return readSalesFigures(database, query);
  } catch (const DataError& error) {
    return dataFailure(error);
  }
}

}  // namespace vendaro
