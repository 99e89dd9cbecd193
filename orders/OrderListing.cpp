#include "orders/OrderListing.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "common/CsvText.h"
#include "common/NumberText.h"
#include "orders/OrderTables.h"
#include "platform/Text.h"

namespace vendaro {
namespace {

// Every order joined to its lines, in OrderID order; the last column is the
// line's row key, empty for an order without lines.
constexpr const char* kListingQuery =
    "SELECT o.*, d.[ProductID], d.[Quantity], d.[Price], d.[LineTotal], d.rowid "
    "FROM [Orders] AS o LEFT JOIN [Order Details] AS d ON d.[OrderID] = o.[OrderID] "
    "ORDER BY o.[OrderID], d.rowid";

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
    // The order's columns, then the line columns and the line key.
    names_.assign(columns.begin(), columns.end() - 1);
    orderWidth_ = names_.size() - orderLineColumns().size();
    for (const std::string& name : names_) kinds_.push_back(kindOf(name));
    if (format_ == OrderListingFormat::Csv) out_ << csvRow(names_);
  }

  void row(const std::vector<DbValue>& values) {
    const bool hasLine = !values.back().isNull();
    std::vector<std::string> cells;
    cells.reserve(names_.size());
    for (std::size_t i = 0; i < names_.size(); ++i) cells.push_back(cell(values[i], i));
    if (format_ == OrderListingFormat::Csv) {
      out_ << csvRow(cells);
      return;
    }
    if (!started_ || cells.front() != order_.front()) {
      finishTextOrder();
      order_.assign(cells.begin(), cells.begin() + static_cast<std::ptrdiff_t>(orderWidth_));
      started_ = true;
    }
    if (hasLine) lines_.emplace_back(cells.begin() + static_cast<std::ptrdiff_t>(orderWidth_), cells.end());
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
  static ColumnKind kindOf(const std::string& name) {
    if (isNamed(name, kCardNumberColumn)) return ColumnKind::CardNumber;
    if (isNamed(name, kCardExpiryColumn)) return ColumnKind::CardExpiry;
    const bool money = std::any_of(std::begin(kMoneyColumns), std::end(kMoneyColumns),
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
  bool started_ = false;
  std::vector<std::string> order_;
  std::vector<std::vector<std::string>> lines_;
};

bool hasOrderTables(Database& database) {
  const QueryResult found = database.select(
      "select count(*) from sqlite_master where type = 'table' and name in ('Orders', 'Order "
      "Details')");
  return !found.rows.empty() && found.rows[0][0] == DbValue(std::int64_t{2});
}

}  // namespace

void writeOrderListing(Database& database, OrderListingFormat format, CardDetails card,
                       std::ostream& out) {
  ListingWriter writer(format, card, out);
  if (!hasOrderTables(database)) {
    std::vector<std::string> columns = orderColumns();
    columns.insert(columns.end(), orderLineColumns().begin(), orderLineColumns().end());
    columns.emplace_back("rowid");
    writer.start(columns);
  } else {
    database.eachRow(
        kListingQuery, [&writer](const std::vector<std::string>& columns) { writer.start(columns); },
        [&writer](const std::vector<DbValue>& values) { writer.row(values); });
  }
  writer.finish();
}

}  // namespace vendaro
