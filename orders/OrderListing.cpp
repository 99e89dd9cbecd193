#include "orders/OrderListing.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "common/CsvText.h"
#include "common/NumberText.h"
#include "orders/OrderTables.h"
#include "platform/DataFailure.h"
#include "platform/Text.h"

namespace vendaro {
namespace {

bool hasTable(Database& database, const std::string& table) {
  return !database
              .query("SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ?",
                     {DbValue(table)})
              .rows.empty();
}

bool hasOrderTables(Database& database) {
  return hasTable(database, "Orders") && hasTable(database, "Order Details");
}

// The verdict of the order's price check and its newest status; a database
// without the tables of checks or history has neither (the listing only reads).
constexpr const char* kVerdictColumn =
    "COALESCE((SELECT c.[Verdict] FROM [OrderChecks] AS c WHERE c.[OrderID] = o.[OrderID]), "
    "'not checked')";
constexpr const char* kStatusColumn =
    "COALESCE((SELECT h.[NewStatus] FROM [OrderHistory] AS h WHERE h.[OrderID] = o.[OrderID] "
    "ORDER BY h.rowid DESC LIMIT 1), 'new')";

constexpr const char* kPriceCheckName = "PriceCheck";
constexpr const char* kStatusName = "Status";
// After the order's and the line's columns: the verdict, the status and the
// line's row key (empty for an order without lines).
constexpr std::size_t kTrailingColumns = 3;

// Every order joined to its lines, in OrderID order, with its verdict and
// status; only the orders of `status` when it is given.
std::string listingQuery(Database& database, const std::optional<OrderStatus>& status) {
  const std::string verdict = hasTable(database, "OrderChecks") ? kVerdictColumn : "'not checked'";
  const std::string current = hasTable(database, "OrderHistory") ? kStatusColumn : "'new'";
  std::string sql = "SELECT o.*, d.[ProductID], d.[Quantity], d.[Price], d.[LineTotal], " +
                    verdict + " AS [" + kPriceCheckName + "], " + current + " AS [" + kStatusName +
                    "], d.rowid FROM [Orders] AS o "
                    "LEFT JOIN [Order Details] AS d ON d.[OrderID] = o.[OrderID]";
  // The name is one of the fixed status names, so it may stand in the text.
  if (status) sql += " WHERE " + current + " = '" + std::string(statusName(*status)) + "'";
  return sql + " ORDER BY o.[OrderID], d.rowid";
}

constexpr std::string_view kMoneyColumns[] = {"ShippingCost", "SalesTax", "Total", "Price",
                                              "LineTotal"};
constexpr std::string_view kCardNumberColumn = "CCNumber";
constexpr std::string_view kCardExpiryColumn = "CCExp";

bool isNamed(const std::string& column, std::string_view name) {
  return text::equalsIgnoringCase(column, name);
}

// A money value as a plain number: "$$$ 1,234.50" gives "1234.50". A value
// that is no amount stays as it was.
std::string plainMoney(std::string_view value) {
  std::string digits;
  for (const char c : value) {
    if (c != '$' && c != ',' && c != ' ') digits += c;
  }
  return isPlainNumber(digits) ? digits : std::string(value);
}

// What each column of the query becomes on output.
enum class ColumnKind { Plain, Money, CardNumber, CardExpiry };

class ListingWriter {
 public:
  ListingWriter(OrderListingFormat format, CardDetails card, std::ostream& out)
      : format_(format), card_(card), out_(out) {}

  void start(const std::vector<std::string>& columns) {
    // The order's columns, the line columns, the verdict and the status (the
    // line key is left out).
    names_.assign(columns.begin(), columns.end() - 1);
    orderWidth_ = columns.size() - orderLineColumns().size() - kTrailingColumns;
    linesEnd_ = orderWidth_ + orderLineColumns().size();
    for (const std::string& name : names_) kinds_.push_back(kindOf(name));
    // CSV rows end with the verdict.
    if (format_ == OrderListingFormat::Csv) out_ << csvRow(csvCells(names_));
  }

  void row(const std::vector<DbValue>& values) {
    const bool hasLine = !values.back().isNull();
    std::vector<std::string> cells;
    cells.reserve(names_.size());
    for (std::size_t i = 0; i < names_.size(); ++i) cells.push_back(cell(values[i], i));
    if (format_ == OrderListingFormat::Csv) {
      out_ << csvRow(csvCells(cells));
      return;
    }
    if (!started_ || cells.front() != order_.front()) {
      finishTextOrder();
      order_.assign(cells.begin(), cells.begin() + offset(orderWidth_));
      verdict_ = cells[linesEnd_];
      status_ = cells[linesEnd_ + 1];
      started_ = true;
    }
    if (hasLine)
      lines_.emplace_back(cells.begin() + offset(orderWidth_), cells.begin() + offset(linesEnd_));
  }

  void finish() {
    if (format_ == OrderListingFormat::Csv) return;
    if (!started_) {
      out_ << "No orders.\n";
      return;
    }
    finishTextOrder();
  }

 private:
  static std::ptrdiff_t offset(std::size_t index) { return static_cast<std::ptrdiff_t>(index); }

  // A CSV row: everything but the status.
  static std::vector<std::string> csvCells(const std::vector<std::string>& cells) {
    return {cells.begin(), cells.end() - 1};
  }

  static ColumnKind kindOf(const std::string& name) {
    if (isNamed(name, kCardNumberColumn)) return ColumnKind::CardNumber;
    if (isNamed(name, kCardExpiryColumn)) return ColumnKind::CardExpiry;
    const bool money =
        std::any_of(std::begin(kMoneyColumns), std::end(kMoneyColumns),
                    [&name](std::string_view money) { return isNamed(name, money); });
    return money ? ColumnKind::Money : ColumnKind::Plain;
  }

  std::string cell(const DbValue& value, std::size_t column) const {
    const std::string textValue = value.toText();
    const std::string_view shown = text::trimmed(textValue);
    switch (kinds_[column]) {
      case ColumnKind::Money:
        return format_ == OrderListingFormat::Csv ? plainMoney(shown) : std::string(shown);
      case ColumnKind::CardNumber:
        return card_ == CardDetails::Masked ? maskedCardNumber(shown) : std::string(shown);
      case ColumnKind::CardExpiry:
        return card_ == CardDetails::Masked ? std::string() : std::string(shown);
      case ColumnKind::Plain:
        break;
    }
    return std::string(shown);
  }

  void finishTextOrder() {
    if (!started_) return;
    out_ << "Order " << order_.front() << "\n";
    for (std::size_t i = 1; i < orderWidth_; ++i) {
      if (kinds_[i] == ColumnKind::CardExpiry) continue;
      out_ << "  " << names_[i] << ": " << order_[i] << "\n";
    }
    out_ << "  " << kPriceCheckName << ": " << verdict_ << "\n";
    out_ << "  " << kStatusName << ": " << status_ << "\n";
    out_ << "  Lines: " << lines_.size() << "\n";
    for (const std::vector<std::string>& line : lines_) {
      out_ << "   ";
      for (std::size_t i = 0; i < line.size(); ++i) out_ << (i ? " | " : " ") << line[i];
      out_ << "\n";
    }
    lines_.clear();
  }

  OrderListingFormat format_;
  CardDetails card_;
  std::ostream& out_;
  std::vector<std::string> names_;
  std::vector<ColumnKind> kinds_;
  std::size_t orderWidth_ = 0;
  std::size_t linesEnd_ = 0;
  bool started_ = false;
  std::vector<std::string> order_;
  std::string verdict_;
  std::string status_;
  std::vector<std::vector<std::string>> lines_;
};

}  // namespace

Done writeOrderListing(Database& database, OrderListingFormat format, CardDetails card,
                       std::ostream& out, const std::optional<OrderStatus>& status) {
  ListingWriter writer(format, card, out);
  try {
    if (!hasOrderTables(database)) {
      std::vector<std::string> columns = orderColumns();
      columns.insert(columns.end(), orderLineColumns().begin(), orderLineColumns().end());
      columns.insert(columns.end(), {kPriceCheckName, kStatusName, "rowid"});
      writer.start(columns);
    } else {
      database.eachRow(
          listingQuery(database, status),
          [&writer](const std::vector<std::string>& columns) { writer.start(columns); },
          [&writer](const std::vector<DbValue>& values) { writer.row(values); });
    }
  } catch (const DataError& error) {
    return dataFailure(error);
  }
  writer.finish();
  return {};
}

}  // namespace vendaro
