#include "orders/OrderMailStore.h"

#include <ctime>
#include <optional>
#include <system_error>
#include <utility>

#include "common/MailIntakeEngine.h"
#include "common/NumberText.h"
#include "common/UtcTime.h"
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

}  // namespace

OrderMailStore::OrderMailStore(Database& database, MailboxIntake& tab,
                               std::function<std::string()> today, std::filesystem::path lockFile)
    : database_(database), tab_(tab), today_(std::move(today)), lockFile_(std::move(lockFile)) {}

void OrderMailStore::prepare(const std::string& mailboxKey) {
  takeLock();
  durabilityFailed_ = false;
  try {
    createOrderTables(database_);
    checker_.reset();
    ordersFlagged_ = 0;
    if (!checkFolder_.empty()) {
      createOrderCheckTables(database_);
      checker_ = std::make_unique<OrderChecker>(checkFolder_);
    }
    database_.deferSyncs(true);
    mailbox_ = mailboxKey;
    imported_.clear();
    const QueryResult rows = database_.select(kImportedTable);
    for (const auto& row : rows.rows) {
      if (row.size() >= 2 && row[0] == DbValue(mailbox_)) imported_.insert(row[1].toText());
    }
    const QueryResult count = database_.select("SELECT count(*) FROM [Orders]");
    ordersInTable_ = count.rows.empty() ? 0 : count.rows[0][0].integer();
  } catch (const DataError&) {
    close();
    throw;
  }
}

// Two intakes into one database would both store every order.
void OrderMailStore::takeLock() {
  if (lockFile_.empty() || lock_) return;
  try {
    lock_ = FileLock::tryTake(lockFile_);
  } catch (const std::system_error& error) {
    throw DataError(data_errors::kCannotOpen,
                    std::string("Cannot lock the order intake: ") + error.what());
  }
  if (!lock_) throw DataError(data_errors::kOtherError, kBusy);
}

void OrderMailStore::makeDurable() {
  try {
    database_.makeDurable();
  } catch (const DataError&) {
    durabilityFailed_ = true;
    throw;
  }
}

void OrderMailStore::close() {
  try {
    if (!durabilityFailed_) database_.makeDurable();
    database_.deferSyncs(false);
  } catch (const DataError&) {
    // Nothing was deleted on its strength; the next intake tries again.
  }
  lock_.reset();
}

bool OrderMailStore::wasImported(const std::string& uid) const {
  return imported_.count(uid) > 0;
}

StoreOutcome OrderMailStore::store(const std::string& messageText, const std::string& uid) {
  const std::string mailText = decodedMailText(messageText);
  const OrderMail order = readOrderMail(mailText);
  if (!isOrderSubject(order.subject)) {
    return recordVerdict(uid) ? StoreOutcome::Ignored : StoreOutcome::Failed;
  }
  for (const std::string& entry : order.entries) tab_.List3.AddItem(entry);
  if (!storeOrder(order, mailText, uid)) return StoreOutcome::Failed;
  ++ordersInTable_;
  tab_.lblPercentage.setCaption(numberText(ordersInTable_ + 1));
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
    appendIntakeLog(tab_,
                    "Message " + uid + " could not be noted as read: " + error.what() + "\r\n");
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
bool OrderMailStore::storeOrder(const OrderMail& order, const std::string& mailText,
                                const std::string& uid) {
  try {
    database_.beginTransaction();
  } catch (const DataError& error) {
    appendIntakeLog(
        tab_, "The order of " + order.sender + " could not be stored: " + error.what() + "\r\n");
    return false;
  }
  try {
    // Checked before it is stored, so it is not found as its own repeat.
    std::optional<ArrivalRecord> checked;
    if (checker_) checked = checker_->arrival(database_, order, mailText, secondsNow());
    const std::int64_t orderId = database_.insertRow("Orders", orderRecord(order));
    writeOrderLines(order, orderId);
    if (checked) OrderChecker::keep(database_, orderId, *checked);
    recordImported(uid);
    database_.commit();
    if (checked && checked->verdict != kVerdictOk) ++ordersFlagged_;
  } catch (const DataError& error) {
    try {
      database_.rollback();
    } catch (const DataError&) {
      // The transaction is gone already; nothing of it was kept.
    }
    appendIntakeLog(
        tab_, "The order of " + order.sender + " could not be stored: " + error.what() + "\r\n");
    return false;
  }
  if (!uid.empty()) imported_.insert(uid);
  return true;
}

// The `Orders` fields in the order of the table.
FieldValues OrderMailStore::orderRecord(const OrderMail& order) const {
  const auto text = [&order](std::string_view name) { return DbValue(order.value(name)); };
  // An amount too short to carry a number leaves the total empty.
  const std::optional<std::string> total = orderTotal(order.value("AMOUNT"));
  return {{"CustomerID", DbValue(order.sender)},
          {"OrderDate", DbValue(today())},
          {"ShipName", text("NameS")},
          {"ShipAddress", text("Adrs1S")},
          {"ShipCity", text("CityS")},
          {"ShipState", text("StateS")},
          {"ShipPostalCode", text("ZIPS")},
          {"ShipPhoneNumber", text("PhoneE")},
          {"ShippingMethodID", DbValue(order.shippingMethod)},
          {"ShippingCost", DbValue(order.shippingCost)},
          {"BillName", text("NameB")},
          {"BillAddress", text("Adrs1B")},
          {"BillCity", text("CityB")},
          {"BillState", text("StateB")},
          {"BillPostalCode", text("ZIPB")},
          {"BillPhoneNumber", text("PhoneD")},
          {"EMail1", text("E_Mail1")},
          {"EMail2", text("E_Mail2")},
          {"SalesTax", text("T2")},
          {"Total", total ? DbValue(*total) : DbValue()},
          {"SustServPhone", text("Cust_Serv_Phone")},
          {"CCNumber", text("CCNumber")},
          {"CCExp", text("CCExp")}};
}

// One record per entry this message added, up to the first empty entry.
// Entries without four "^" (such as the " Total Price : " line) are not
// order lines and are left out.
void OrderMailStore::writeOrderLines(const OrderMail& order, std::int64_t orderId) {
  for (const std::string& entry : order.entries) {
    if (entry.empty()) break;
    const std::optional<OrderLine> line = splitOrderLine(entry);
    if (!line) continue;
    database_.insertRow("Order Details", {{"OrderID", DbValue(orderId)},
                                          {"ProductID", DbValue(line->productId)},
                                          {"Quantity", DbValue(line->quantity)},
                                          {"Price", DbValue(line->price)},
                                          {"LineTotal", DbValue(line->lineTotal)}});
  }
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
