#include "orders/SalesCommand.h"

#include "common/CsvText.h"
#include "common/Dates.h"
#include "orders/OrderCommands.h"
#include "orders/OrderNumbers.h"
#include "orders/SalesFigures.h"
#include "platform/sqlite/SqliteDatabase.h"

namespace vendaro {
namespace {

constexpr const char* kPrefix = "vendaro sales: ";

void printText(const SalesFigures& figures, const std::string& by, std::ostream& out) {
  out << "Revenue by " << by << " (flagged and cancelled orders left out):\n";
  for (const auto& bar : figures.bars) {
    out << "  " << bar.period << "  " << bar.orders << " orders  " << moneyText(bar.revenueCents)
        << "\n";
  }
  out << salesTotalsText(figures) << "\n" << salesLeftOutText(figures) << "\n";
  out << "Orders by status:";
  for (const auto& [status, count] : figures.ordersByStatus) {
    out << " " << statusName(status) << " " << count;
  }
  out << "\nBest items by revenue:\n";
  for (const auto& item : figures.bestItems) {
    out << "  " << item.item << "  " << item.quantity << " pieces  " << moneyText(item.revenueCents)
        << "\n";
  }
}

void printCsv(const SalesFigures& figures, std::ostream& out) {
  out << csvRow({"Figure", "Key", "Count", "Amount"});
  for (const auto& bar : figures.bars) {
    out << csvRow({"revenue", bar.period, std::to_string(bar.orders), moneyText(bar.revenueCents)});
  }
  out << csvRow(
      {"total", "counted", std::to_string(figures.countedOrders), moneyText(figures.revenueCents)});
  out << csvRow({"total", "average", "", moneyText(figures.averageCents)});
  out << csvRow({"total", "flagged", std::to_string(figures.flagged.orders),
                 moneyText(figures.flagged.cents)});
  out << csvRow({"total", "cancelled", std::to_string(figures.cancelled.orders),
                 moneyText(figures.cancelled.cents)});
  for (const auto& [status, count] : figures.ordersByStatus) {
    out << csvRow({"status", std::string(statusName(status)), std::to_string(count), ""});
  }
  for (const auto& item : figures.bestItems) {
    out << csvRow({"item", item.item, std::to_string(item.quantity), moneyText(item.revenueCents)});
  }
}

}  // namespace

int runSalesCommand(const SalesCommandOptions& options, std::ostream& out, std::ostream& err) {
  for (const std::string* day : {&options.from, &options.to}) {
    if (!day->empty() && !isDayText(*day)) {
      err << kPrefix << "\"" << *day << "\" is not a date (YYYY-MM-DD)\n";
      return kOrdersCommandFailed;
    }
  }
  SalesQuery query{options.from, options.to, SalesPeriod::Month};
  if (options.by == "day") {
    query.by = SalesPeriod::Day;
  } else if (options.by == "week") {
    query.by = SalesPeriod::Week;
  } else if (options.by != "month") {
    err << kPrefix << "--by is day, week or month, not \"" << options.by << "\"\n";
    return kOrdersCommandFailed;
  }
  const std::filesystem::path file = options.appFolder / kProgramDatabaseFile;
  if (!std::filesystem::is_regular_file(file)) {
    err << kPrefix << "there is no order database " << file.string() << "\n";
    return kOrdersCommandFailed;
  }
  SqliteDatabase database(file);
  const Outcome<SalesFigures> figures = salesFigures(database, query);
  if (!figures) {
    return failOrderCommand(err, kPrefix, figures.error(), "cannot read the order database: ");
  }
  if (options.csv) {
    printCsv(*figures, out);
  } else {
    printText(*figures, options.by, out);
  }
  return 0;
}

}  // namespace vendaro
