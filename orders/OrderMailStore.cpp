#include "orders/OrderMailStore.h"

#include <ctime>
#include <optional>
#include <utility>

#include "common/Dates.h"
#include "orders/OrderTables.h"
#include "platform/Text.h"
#include "platform/mime/MailBodyDecoder.h"

namespace vendaro {
namespace {

// Why a message stays on the server, as noted and logged.
constexpr const char* kNotAnOrder = "not an order";
constexpr const char* kOrderWithoutItems = "an order without items";

// The entries this message added that are order lines, up to the first empty
// entry. Entries without four "^" (such as the " Total Price : " line) are
// not order lines and are left out.
std::vector<OrderLine> orderLinesOf(const OrderMail& order) {
  std::vector<OrderLine> lines;
  for (const std::string& entry : order.entries) {
    if (entry.empty()) break;
    if (std::optional<OrderLine> line = splitOrderLine(entry)) lines.push_back(std::move(*line));
  }
  return lines;
}

// What a merchant should look at before shipping, joined by "; ".
std::string flagsOf(const std::vector<OrderLine>& lines) {
  if (lines.empty()) return kNoItemsFlag;
  std::string flags;
  for (const OrderLine& line : lines) {
    if (isWholePositiveQuantity(line.quantity)) continue;
    flags += (flags.empty() ? "" : "; ") + std::string(kQuantityFlag) + ": " +
             std::string(text::trimmed(line.productId)) + " (" +
             std::string(text::trimmed(line.quantity)) + ")";
  }
  return flags;
}

}  // namespace

OrderMailStore::OrderMailStore(Database& database, std::function<std::string()> today)
    : database_(database), today_(std::move(today)) {}

void OrderMailStore::prepare(const std::string& mailboxKey) {
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
    const QueryResult rows = database_.select("select mailbox, uid, kept from [ImportedMessages]");
    for (const auto& row : rows.rows) {
      if (row[0] == DbValue(mailbox_)) imported_[row[1].toText()] = row[2].toText();
    }
    const QueryResult count = database_.select("SELECT count(*) FROM [Orders]");
    ordersInTable_ = count.rows.empty() ? 0 : count.rows[0][0].integer();
  } catch (const DataError&) {
    close();
    throw;
  }
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
}

bool OrderMailStore::wasImported(const std::string& uid) const {
  return imported_.count(uid) > 0;
}

std::string OrderMailStore::keptSinceEarlier(const std::string& uid) const {
  const auto found = imported_.find(uid);
  return found == imported_.end() ? std::string() : found->second;
}

std::string OrderMailStore::whyKept(StoreOutcome outcome) const {
  if (outcome == StoreOutcome::Ignored) return kNotAnOrder;
  if (outcome == StoreOutcome::StoredKept) return kOrderWithoutItems;
  return MailStore::whyKept(outcome);
}

// An order without items is stored, so the merchant sees it, and its mail
// stays on the server to be read.
StoredMail OrderMailStore::store(const std::string& messageText, const std::string& uid) {
  const std::string mailText = decodedMailText(messageText);
  const OrderMail order = readOrderMail(mailText);
  if (!isOrderSubject(order.subject)) {
    const std::optional<std::string> error = recordVerdict(uid);
    if (!error) return {StoreOutcome::Ignored};
    return {StoreOutcome::Failed, *error,
            "Message " + uid + " could not be noted as read: " + *error + "\r\n"};
  }
  StoredMail stored{StoreOutcome::Failed};
  stored.linesRead = order.entries;
  const std::vector<OrderLine> lines = orderLinesOf(order);
  if (const auto error = storeOrder(order, lines, mailText, uid)) {
    stored.error = *error;
    stored.log = "The order of " + order.sender + " could not be stored: " + *error + "\r\n";
    return stored;
  }
  ++ordersInTable_;
  stored.outcome = lines.empty() ? StoreOutcome::StoredKept : StoreOutcome::Stored;
  stored.recordCount = ordersInTable_;
  stored.log = orderLog(order, flagsOf(lines));
  return stored;
}

bool OrderMailStore::isOwnMail(const std::string& messageText) const {
  return isOrderSubject(readOrderMail(decodedMailText(messageText)).subject);
}

// A mail that is not an order is noted as imported (and kept on the server),
// so that it is not fetched again.
std::optional<std::string> OrderMailStore::recordVerdict(const std::string& uid) {
  if (uid.empty()) return std::nullopt;
  try {
    recordImported(uid, kNotAnOrder);
  } catch (const DataError& error) {
    return error.what();
  }
  imported_[uid] = kNotAnOrder;
  return std::nullopt;
}

void OrderMailStore::recordImported(const std::string& uid, const std::string& kept) {
  if (uid.empty()) return;
  database_.execute(
      "INSERT OR IGNORE INTO [ImportedMessages] (mailbox, uid, kept) VALUES (?, ?, ?)",
      {DbValue(mailbox_), DbValue(uid), kept.empty() ? DbValue() : DbValue(kept)});
}

// The order, its lines and the note that the message is imported are written
// in one transaction: a failure leaves no half order behind, and the message
// is fetched again by the next intake.
std::optional<std::string> OrderMailStore::storeOrder(const OrderMail& order,
                                                      const std::vector<OrderLine>& lines,
                                                      const std::string& mailText,
                                                      const std::string& uid) {
  try {
    database_.beginTransaction();
  } catch (const DataError& error) {
    return error.what();
  }
  try {
    // Checked before it is stored, so it is not found as its own repeat.
    std::optional<ArrivalRecord> checked;
    if (checker_) checked = checker_->arrival(database_, order, mailText, secondsNow());
    const std::int64_t orderId = database_.insertRow("Orders", orderRecord(order, lines));
    writeOrderLines(lines, orderId);
    if (checked) OrderChecker::keep(database_, orderId, *checked);
    recordImported(uid, lines.empty() ? kOrderWithoutItems : "");
    database_.commit();
    if (checked && checked->verdict != kVerdictOk) ++ordersFlagged_;
  } catch (const DataError& error) {
    try {
      database_.rollback();
    } catch (const DataError&) {
      // The transaction is gone already; nothing of it was kept.
    }
    return error.what();
  }
  if (!uid.empty()) imported_[uid] = lines.empty() ? kOrderWithoutItems : "";
  return std::nullopt;
}

// The `Orders` fields in the order of the table.
FieldValues OrderMailStore::orderRecord(const OrderMail& order,
                                        const std::vector<OrderLine>& lines) const {
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
          {"CCExp", text("CCExp")},
          {"ShipAddress2", text("Adrs2S")},
          {"BillAddress2", text("Adrs2B")},
          {"Note", DbValue(order.note)},
          {"CardType", text("METHOD")},
          {"Flags", DbValue(flagsOf(lines))}};
}

void OrderMailStore::writeOrderLines(const std::vector<OrderLine>& lines, std::int64_t orderId) {
  for (const OrderLine& line : lines) {
    database_.insertRow("Order Details", {{"OrderID", DbValue(orderId)},
                                          {"ProductID", DbValue(line.productId)},
                                          {"Quantity", DbValue(line.quantity)},
                                          {"Price", DbValue(line.price)},
                                          {"LineTotal", DbValue(line.lineTotal)}});
  }
}

std::string OrderMailStore::today() const {
  return today_ ? today_() : localDateNow();
}

std::string OrderMailStore::orderLog(const OrderMail& order, const std::string& flags) const {
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
  if (!flags.empty()) add("Flagged: " + flags);
  add("");
  return lines;
}

}  // namespace vendaro
