#include "orders/OrderChecks.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "common/Dates.h"
#include "common/MailValues.h"
#include "orders/OrderTables.h"
#include "platform/DataFailure.h"
#include "platform/Text.h"
#include "platform/mime/MailBodyDecoder.h"

namespace vendaro {
namespace {

constexpr const char* kSchema = R"sql(
CREATE TABLE IF NOT EXISTS [OrderChecks] (
  OrderID INTEGER PRIMARY KEY, Verdict TEXT NOT NULL, MessageID TEXT, Received TEXT,
  Fingerprint TEXT, StateChoice TEXT, ShipCountry TEXT);
CREATE INDEX IF NOT EXISTS [OrderChecksByMessage] ON [OrderChecks] (MessageID);
CREATE INDEX IF NOT EXISTS [OrderChecksByFingerprint] ON [OrderChecks] (Fingerprint, Received);
)sql";

// What the mail said that the Orders table does not keep and a later check
// needs: the sales-tax choice and the shipping country. Tables of checks
// made before they were kept gain the columns.
constexpr const char* kKeptFigureColumns[] = {"StateChoice", "ShipCountry"};

void addKeptFigureColumns(Database& database) {
  const std::vector<std::string> present =
      database.select("select * from [OrderChecks] limit 0").columns;
  for (const char* column : kKeptFigureColumns) {
    if (std::find(present.begin(), present.end(), column) != present.end()) continue;
    database.execute(std::string("ALTER TABLE [OrderChecks] ADD COLUMN [") + column + "] TEXT");
  }
}

std::string trimmed(std::string_view text) {
  return std::string(text::trimmed(text));
}

// A header's value; the header block is searched from a line start.
std::string headerValue(const std::string& mailText, std::string_view name) {
  const std::size_t end = mailText.find("\r\n\r\n");
  const std::string header =
      "\r\n" + mailText.substr(0, end == std::string::npos ? mailText.size() : end + 2);
  return trimmed(GetLineValue(header, "\n" + std::string(name) + ":"));
}

std::vector<OrderFigures::Line> figureLines(const OrderMail& mail) {
  std::vector<OrderFigures::Line> lines;
  for (const std::string& entry : mail.entries) {
    if (entry.empty()) break;
    if (std::optional<OrderLine> line = splitOrderLine(entry)) {
      lines.push_back({line->productId, line->quantity, line->price, line->lineTotal});
    }
  }
  return lines;
}

// The customer is the sender with the billing name and address the form
// carried; a second press of Submit sends all of them again.
std::string fingerprintOf(const OrderMail& mail, const std::vector<OrderFigures::Line>& lines) {
  std::string fingerprint = text::lowerAscii(trimmed(mail.sender)) + "|" +
                            trimmed(mail.value("NameB")) + "|" +
                            text::lowerAscii(trimmed(mail.value("E_Mail1")));
  for (const OrderFigures::Line& line : lines) {
    fingerprint += "\n" + trimmed(line.productId) + "|" + trimmed(line.quantity) + "|" +
                   trimmed(line.price) + "|" + trimmed(line.lineTotal);
  }
  return fingerprint;
}

std::optional<std::int64_t> firstOrder(const QueryResult& result) {
  if (result.rows.empty() || !result.rows[0][0].isInteger()) return std::nullopt;
  return result.rows[0][0].integer();
}

// The stored order this one repeats, when there is one.
std::optional<std::int64_t> repeatedOrder(Database& database, const ArrivalRecord& record,
                                          std::int64_t seconds) {
  constexpr const char* kStored =
      "SELECT c.OrderID FROM [OrderChecks] c JOIN [Orders] o ON o.OrderID = c.OrderID WHERE ";
  if (!record.messageId.empty()) {
    if (auto order = firstOrder(
            database.query(std::string(kStored) + "c.MessageID = ? ORDER BY c.OrderID LIMIT 1",
                           {DbValue(record.messageId)}))) {
      return order;
    }
  }
  return firstOrder(database.query(
      std::string(kStored) +
          "c.Fingerprint = ? AND c.Received BETWEEN ? AND ? ORDER BY c.OrderID LIMIT 1",
      {DbValue(record.fingerprint), DbValue(utcTimeText(seconds - kDuplicateWindowSeconds)),
       DbValue(utcTimeText(seconds + kDuplicateWindowSeconds))}));
}

bool isRepeatVerdict(const std::string& verdict) {
  return verdict.rfind(kVerdictDuplicate, 0) == 0;
}

// Every stored order's figures by OrderID, read in two queries.
std::map<std::int64_t, OrderFigures> storedFigures(Database& database) {
  std::map<std::int64_t, OrderFigures> orders;
  const QueryResult heads = database.query(
      "SELECT o.OrderID, o.SalesTax, o.ShippingMethodID, o.ShippingCost, o.Total, o.ShipState, "
      "c.StateChoice, c.ShipCountry FROM [Orders] o LEFT JOIN [OrderChecks] c "
      "ON c.OrderID = o.OrderID",
      {});
  for (const auto& row : heads.rows) {
    if (!row[0].isInteger()) continue;
    OrderFigures& order = orders[row[0].integer()];
    order.salesTax = row[1].toText();
    order.shippingMethod = row[2].toText();
    order.shippingCost = row[3].toText();
    order.total = row[4].toText();
    order.shipState = row[5].toText();
    order.stateChoice = row[6].toText();
    order.shipCountry = row[7].toText();
  }
  const QueryResult lines = database.query(
      "SELECT OrderID, ProductID, Quantity, Price, LineTotal FROM [Order Details] "
      "ORDER BY OrderID, rowid",
      {});
  for (const auto& row : lines.rows) {
    if (!row[0].isInteger()) continue;
    const auto order = orders.find(row[0].integer());
    if (order == orders.end()) continue;
    order->second.lines.push_back(
        {row[1].toText(), row[2].toText(), row[3].toText(), row[4].toText()});
  }
  return orders;
}

}  // namespace

void createOrderCheckTables(Database& database) {
  database.createMissingTables({"OrderChecks"}, kSchema);
  addKeptFigureColumns(database);
}

OrderFigures orderFigures(const OrderMail& mail, const std::string& mailText) {
  OrderFigures figures;
  figures.lines = figureLines(mail);
  if (!GetLineValue(mailText, "R12=").empty()) {
    figures.stateChoice = "R12";
  } else if (!GetLineValue(mailText, "R11=").empty()) {
    figures.stateChoice = "R11";
  }
  figures.salesTax = mail.value("T2");
  figures.shippingMethod = mail.shippingMethod;
  figures.shippingCost = mail.shippingCost;
  figures.total = mail.value("AMOUNT");
  figures.shipState = mail.value("StateS");
  figures.shipCountry = trimmed(GetLineValue(mailText, "CountryS="));
  return figures;
}

OrderChecker::OrderChecker(const std::filesystem::path& appFolder)
    : prices_(readPublishedCatalogues(appFolder, problems_)) {}

OrderChecker::OrderChecker(std::vector<PublishedCatalogue> catalogues)
    : prices_(std::move(catalogues)) {}

ArrivalRecord OrderChecker::arrival(Database& database, const OrderMail& mail,
                                    const std::string& mailText, std::int64_t intakeSeconds) const {
  ArrivalRecord record;
  record.messageId = headerValue(mailText, "Message-ID");
  const std::int64_t seconds =
      mailDateSeconds(headerValue(mailText, "Date")).value_or(intakeSeconds);
  record.received = utcTimeText(seconds);
  const OrderFigures figures = orderFigures(mail, mailText);
  record.fingerprint = fingerprintOf(mail, figures.lines);
  record.stateChoice = figures.stateChoice;
  record.shipCountry = figures.shipCountry;
  if (const std::optional<std::int64_t> original = repeatedOrder(database, record, seconds)) {
    record.verdict = kVerdictDuplicate + std::to_string(*original);
  } else {
    record.verdict = prices_.check(figures).text();
  }
  return record;
}

void OrderChecker::keep(Database& database, std::int64_t orderId, const ArrivalRecord& record) {
  database.execute(
      "INSERT OR REPLACE INTO [OrderChecks] (OrderID, Verdict, MessageID, Received, Fingerprint, "
      "StateChoice, ShipCountry) VALUES (?, ?, ?, ?, ?, ?, ?)",
      {DbValue(orderId), DbValue(record.verdict),
       record.messageId.empty() ? DbValue() : DbValue(record.messageId), DbValue(record.received),
       DbValue(record.fingerprint), DbValue(record.stateChoice), DbValue(record.shipCountry)});
}

Outcome<std::map<std::int64_t, std::string>> OrderChecker::recheckAll(Database& database) const {
  try {
    createOrderTables(database);
    createOrderCheckTables(database);
    std::map<std::int64_t, std::string> verdicts = storedVerdicts(database);
    const std::map<std::int64_t, OrderFigures> orders = storedFigures(database);
    database.beginTransaction();
    try {
      for (const auto& [orderId, figures] : orders) {
        std::string& verdict = verdicts[orderId];
        if (isRepeatVerdict(verdict)) continue;
        verdict = prices_.check(figures).text();
        database.execute(
            "INSERT INTO [OrderChecks] (OrderID, Verdict) VALUES (?, ?) "
            "ON CONFLICT (OrderID) DO UPDATE SET Verdict = excluded.Verdict",
            {DbValue(orderId), DbValue(verdict)});
      }
      database.commit();
    } catch (const DataError&) {
      database.rollback();
      throw;
    }
    // Checks of orders deleted since are not listed.
    std::erase_if(verdicts, [&orders](const auto& entry) { return !orders.count(entry.first); });
    return verdicts;
  } catch (const DataError& error) {
    return dataFailure(error);
  }
}

std::map<std::int64_t, std::string> storedVerdicts(Database& database) {
  std::map<std::int64_t, std::string> verdicts;
  for (const auto& row : database.query("SELECT OrderID, Verdict FROM [OrderChecks]", {}).rows) {
    if (row[0].isInteger()) verdicts[row[0].integer()] = row[1].toText();
  }
  return verdicts;
}

}  // namespace vendaro
