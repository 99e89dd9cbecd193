#include "orders/OrderMailStore.h"

#include <ctime>
#include <utility>

#include "common/MailIntakeEngine.h"
#include "common/NumberText.h"
#include "orders/OrderTables.h"
#include "platform/mime/MailBodyDecoder.h"

namespace vendaro {
namespace {

constexpr const char* kImportedTable = "ImportedMessages";

std::string localDate() {
  const std::time_t now = std::time(nullptr);
  std::tm parts{};
  localtime_r(&now, &parts);
  char text[16];
  std::strftime(text, sizeof text, "%Y-%m-%d", &parts);
  return text;
}

// A field value as the intake hands it to the database: the text received.
DbValue textValue(const std::string& text) {
  return DbValue(text);
}

}  // namespace

OrderMailStore::OrderMailStore(Database& database, MailboxIntake& tab,
                               std::function<std::string()> today)
    : Data1(database, "Orders"),
      Data2(database, "Order Details"),
      database_(database),
      tab_(tab),
      today_(std::move(today)) {}

void OrderMailStore::prepare(const std::string& mailboxKey) {
  createOrderTables(database_);
  dataFresh_ = false;
  mailbox_ = mailboxKey;
  imported_.clear();
  const QueryResult rows = database_.select(kImportedTable);
  for (const auto& row : rows.rows) {
    if (row.size() >= 2 && row[0] == DbValue(mailbox_)) imported_.insert(row[1].toText());
  }
}

bool OrderMailStore::wasImported(const std::string& uid) const {
  return imported_.count(uid) > 0;
}

StoreOutcome OrderMailStore::store(const std::string& messageText, const std::string& uid) {
  const OrderMail order = readOrderMail(decodedMailText(messageText));
  if (!isOrderSubject(order.subject)) {
    return recordVerdict(uid) ? StoreOutcome::Ignored : StoreOutcome::Failed;
  }
  for (const std::string& entry : order.entries) tab_.List3.AddItem(entry);
  if (!storeOrder(order, uid)) return StoreOutcome::Failed;
  tab_.lblPercentage.setCaption(
      numberText(static_cast<std::int64_t>(Data1.recordset().RecordCount()) + 1));
  logOrder(order);
  return StoreOutcome::Stored;
}

// A mail that is not an order is noted as imported, so that it is neither
// fetched again nor deleted before the note is stored.
bool OrderMailStore::recordVerdict(const std::string& uid) {
  if (uid.empty()) return true;
  try {
    recordImported(uid);
  } catch (const DataError& error) {
    appendIntakeLog(tab_, "Message " + uid + " could not be noted as read: " + error.what() +
                              "\r\n");
    return false;
  }
  imported_.insert(uid);
  return true;
}

void OrderMailStore::recordImported(const std::string& uid) {
  if (uid.empty()) return;
  database_.execute("INSERT OR IGNORE INTO [ImportedMessages] (mailbox, uid) VALUES (?, ?)",
                    {DbValue(mailbox_), DbValue(uid)});
}

// The order, its lines and the note that the message is imported are written
// in one transaction: a failure leaves no half order behind, and the message
// is fetched again by the next intake.
bool OrderMailStore::storeOrder(const OrderMail& order, const std::string& uid) {
  try {
    refreshDataSources();
    database_.beginTransaction();
  } catch (const DataError& error) {
    appendIntakeLog(tab_, "The order of " + order.sender + " could not be stored: " +
                              error.what() + "\r\n");
    return false;
  }
  try {
    writeOrderRecord(order);
    Recordset& orders = Data1.recordset();
    orders.setBookmark(orders.LastModified());
    const DbValue orderId = orders.Fields("OrderID").Value();
    writeOrderLines(order, orderId);
    recordImported(uid);
    database_.commit();
  } catch (const DataError& error) {
    // The record that failed is still being added in its data control; left
    // there, the next refresh would try to store it again and fail every
    // later order.
    Data1.recordset().CancelUpdate();
    Data2.recordset().CancelUpdate();
    try {
      database_.rollback();
    } catch (const DataError&) {
      // The transaction is gone already; nothing of it was kept.
    }
    dataFresh_ = false;
    appendIntakeLog(tab_, "The order of " + order.sender + " could not be stored: " +
                              error.what() + "\r\n");
    return false;
  }
  if (!uid.empty()) imported_.insert(uid);
  return true;
}

void OrderMailStore::writeOrderRecord(const OrderMail& order) {
  Recordset& orders = Data1.recordset();
  orders.AddNew();
  const auto set = [&orders](const char* field, const DbValue& value) {
    orders.Fields(field).setValue(value);
  };
  set("CustomerID", textValue(order.sender));
  set("OrderDate", textValue(today()));
  set("ShipName", textValue(order.value("NameS")));
  set("ShipAddress", textValue(order.value("Adrs1S")));
  set("ShipCity", textValue(order.value("CityS")));
  set("ShipState", textValue(order.value("StateS")));
  set("ShipPostalCode", textValue(order.value("ZIPS")));
  set("ShipPhoneNumber", textValue(order.value("PhoneE")));
  set("ShippingMethodID", textValue(order.shippingMethod));
  set("ShippingCost", textValue(order.shippingCost));
  set("BillName", textValue(order.value("NameB")));
  set("BillAddress", textValue(order.value("Adrs1B")));
  set("BillCity", textValue(order.value("CityB")));
  set("BillState", textValue(order.value("StateB")));
  set("BillPostalCode", textValue(order.value("ZIPB")));
  set("BillPhoneNumber", textValue(order.value("PhoneD")));
  set("EMail1", textValue(order.value("E_Mail1")));
  set("EMail2", textValue(order.value("E_Mail2")));
  set("SalesTax", textValue(order.value("T2")));
  // An amount too short to carry a number leaves the total empty.
  const std::optional<std::string> total = orderTotal(order.value("AMOUNT"));
  set("Total", total ? textValue(*total) : DbValue());
  set("SustServPhone", textValue(order.value("Cust_Serv_Phone")));
  set("CCNumber", textValue(order.value("CCNumber")));
  set("CCExp", textValue(order.value("CCExp")));
  orders.Update();
}

// One record per entry this message added, up to the first empty entry.
// Entries without four "^" (such as the " Total Price : " line) are not
// order lines and are left out.
void OrderMailStore::writeOrderLines(const OrderMail& order, const DbValue& orderId) {
  Recordset& details = Data2.recordset();
  for (const std::string& entry : order.entries) {
    if (entry.empty()) break;
    const std::optional<OrderLine> line = splitOrderLine(entry);
    if (!line) continue;
    details.AddNew();
    details.Fields("OrderID").setValue(orderId);
    details.Fields("ProductID").setValue(textValue(line->productId));
    details.Fields("Quantity").setValue(textValue(line->quantity));
    details.Fields("Price").setValue(textValue(line->price));
    details.Fields("LineTotal").setValue(textValue(line->lineTotal));
    details.Update();
  }
}

void OrderMailStore::refreshDataSources() {
  if (dataFresh_) return;
  Data1.Refresh();
  Data2.Refresh();
  dataFresh_ = true;
}

std::string OrderMailStore::today() const {
  return today_ ? today_() : localDate();
}

void OrderMailStore::logOrder(const OrderMail& order) {
  std::string lines;
  const auto add = [&lines](const std::string& line) { lines += line + "\r\n"; };
  add(order.subject);
  add(order.sender);
  add(order.block);
  for (const char* name :
       {"AMOUNT", "T2", "NameB", "NameS", "Adrs1B", "Adrs1S", "Adrs2B", "Adrs2S", "StateB",
        "StateS", "ZIPB", "ZIPS", "PhoneE", "PhoneD", "E_Mail1", "E_Mail2", "Cust_Serv_Phone"}) {
    add(order.value(name));
  }
  const bool masked = logCardDetails == CardDetails::Masked;
  add(masked ? maskedCardNumber(order.value("CCNumber")) : order.value("CCNumber"));
  add(masked ? std::string() : order.value("CCExp"));
  add(order.shippingMethod);
  add(order.shippingCost);
  add("");
  appendIntakeLog(tab_, lines);
}

}  // namespace vendaro
