#include "orders/OrderIntake.h"

#include <chrono>
#include <ctime>
#include <utility>

#include "common/NumberText.h"
#include "orders/OrderTables.h"
#include "platform/mime/MailBodyDecoder.h"

namespace vendaro {
namespace {

// The timer only hands each step back to the event loop; it need not wait.
constexpr int kStepIntervalMs = 1;

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

OrderIntake::OrderIntake(OrderIntakePlatform platform, std::unique_ptr<MailClient> mail)
    : Timer1(platform.loop, kStepIntervalMs, false),
      Data1(platform.database, "Orders"),
      Data2(platform.database, "Order Details"),
      platform_(std::move(platform)),
      mail_(std::move(mail)) {
  cmdGetMail.setCaption("Get Orders");
  PopHost.setText(platform_.settings.popHost);
  Email.setText(platform_.settings.mailboxAddress);
  Timer1.onTimer = [this] { Timer1_Timer(); };
  connectEvents();
}

void OrderIntake::connectEvents() {
  mail_->onComplete = [this](MailAction action) { Mail1_Complete(action); };
  mail_->onError = [this](int number, const std::string& description) {
    Mail1_AsyncError(number, description);
  };
  mail_->onProgress = [this](long done, long total) { Mail1_Progress(done, total); };
}

void OrderIntake::cmdGetMail_Click() {
  // A second click while an intake runs would start a second conversation
  // on the same session; it is ignored.
  if (mailState_ != MailState::Idle) return;
  try {
    prepareImportedMessages();
  } catch (const DataError& error) {
    platform_.dialogs.MsgBox(error.what());
    return;
  }
  ordersStored_ = 0;
  dataFresh_ = false;
  mailState_ = MailState::LoggingIn;
  MailAccount account;
  account.host = PopHost.Text();
  account.port = popPort;
  account.security = popSecurity;
  account.caFile = popCaFile;
  account.user = PopUserName.Text();
  account.password = PopPassword.Text();
  mail_->connect(account);
}

void OrderIntake::chkHostDelete_Click() {
  if (chkHostDelete.checked()) {
    platform_.dialogs.MsgBox(kDeleteWarning, MessageButtons::Ok, MessageIcon::Exclamation);
  }
}

void OrderIntake::Mail1_Complete(MailAction action) {
  switch (action) {
    case MailAction::Connect:
      if (mailState_ == MailState::LoggingIn) handleCompletion();
      break;
    case MailAction::UniqueId:
      if (mailState_ == MailState::MessageStep) messageIdentified();
      break;
    case MailAction::Fetch:
      if (mailState_ == MailState::MessageStep) messageFetched();
      break;
    case MailAction::Delete:
      if (mailState_ == MailState::Deleting) handleCompletion();
      break;
    case MailAction::Disconnect:
      if (mailState_ == MailState::LoggingOut) handleCompletion();
      break;
    case MailAction::Count:
      break;
  }
}

void OrderIntake::handleCompletion() {
  switch (mailState_) {
    case MailState::LoggingIn:
      mailState_ = MailState::MessageStep;
      waiting_ = mail_->messageCount();
      if (waiting_ == 0) {
        platform_.dialogs.MsgBox(kNoMail);
        mailState_ = MailState::LoggingOut;
        mail_->disconnect();
        return;
      }
      cmdGetMail.setEnabled(false);
      messageIndex_ = 0;
      nextStep_ = NextStep::NextMessage;
      Timer1.setEnabled(true);
      return;
    case MailState::MessageStep:
      if (chkHostDelete.checked()) {
        nextStep_ = NextStep::DeleteMessage;
      } else {
        nextStep_ = messageIndex_ < waiting_ ? NextStep::NextMessage : NextStep::LogOut;
      }
      Timer1.setEnabled(true);
      return;
    case MailState::Deleting:
      nextStep_ = messageIndex_ < waiting_ ? NextStep::NextMessage : NextStep::LogOut;
      Timer1.setEnabled(true);
      return;
    case MailState::LoggingOut:
      cmdGetMail.setEnabled(true);
      mailState_ = MailState::Idle;
      finish({true, ordersStored_, {}});
      return;
    default:
      return;
  }
}

void OrderIntake::Timer1_Timer() {
  if (busy_) return;
  busy_ = true;
  Timer1.setEnabled(false);
  switch (nextStep_) {
    case NextStep::LogOut:
      mailState_ = MailState::LoggingOut;
      mail_->disconnect();
      break;
    case NextStep::DeleteMessage:
      mailState_ = MailState::Deleting;
      mail_->deleteMessage(currentNumber_);
      break;
    case NextStep::NextMessage:
      startMessageStep();
      break;
    default:
      break;
  }
  busy_ = false;
}

// A message step asks for the unique id first, so that a message whose order
// is already stored is not fetched and stored again.
void OrderIntake::startMessageStep() {
  mailState_ = MailState::MessageStep;
  currentNumber_ = messageIndex_ + 1;
  currentUid_.clear();
  mail_->uniqueId(currentNumber_);
}

void OrderIntake::messageIdentified() {
  currentUid_ = mail_->messageUniqueId();
  if (!currentUid_.empty() && imported_.count(currentUid_)) {
    appendLog("Message " + currentUid_ +
              " was imported before; its order is not stored again.\r\n");
    finishMessageStep();
    return;
  }
  mail_->fetchMessage(currentNumber_);
}

void OrderIntake::messageFetched() {
  processMessage(mail_->messageText());
  finishMessageStep();
}

void OrderIntake::finishMessageStep() {
  messageIndex_ += 1;
  handleCompletion();
}

void OrderIntake::processMessage(const std::string& text) {
  const OrderMail order = readOrderMail(decodedMailText(text));
  if (!isOrderSubject(order.subject)) return;
  for (const std::string& entry : order.entries) List3.AddItem(entry);
  if (!storeOrder(order)) return;
  ++ordersStored_;
  lblPercentage.setCaption(
      numberText(static_cast<std::int64_t>(Data1.recordset().RecordCount()) + 1));
  logOrder(order);
}

// The order, its lines and the note that the message is imported are written
// in one transaction: a failure leaves no half order behind, and the message
// is fetched again by the next intake.
bool OrderIntake::storeOrder(const OrderMail& order) {
  Database& database = platform_.database;
  try {
    refreshDataSources();
    database.beginTransaction();
  } catch (const DataError& error) {
    appendLog("The order of " + order.sender + " could not be stored: " + error.what() + "\r\n");
    return false;
  }
  try {
    writeOrderRecord(order);
    Recordset& orders = Data1.recordset();
    orders.setBookmark(orders.LastModified());
    const DbValue orderId = orders.Fields("OrderID").Value();
    writeOrderLines(order, orderId);
    if (!currentUid_.empty()) {
      database.execute("INSERT OR IGNORE INTO [ImportedMessages] (mailbox, uid) VALUES (?, ?)",
                       {DbValue(mailbox_), DbValue(currentUid_)});
    }
    database.commit();
  } catch (const DataError& error) {
    // The record that failed is still being added in its data control; left
    // there, the next refresh would try to store it again and fail every
    // later order.
    Data1.recordset().CancelUpdate();
    Data2.recordset().CancelUpdate();
    try {
      database.rollback();
    } catch (const DataError&) {
      // The transaction is gone already; nothing of it was kept.
    }
    dataFresh_ = false;
    appendLog("The order of " + order.sender + " could not be stored: " + error.what() + "\r\n");
    return false;
  }
  if (!currentUid_.empty()) imported_.insert(currentUid_);
  return true;
}

void OrderIntake::writeOrderRecord(const OrderMail& order) {
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
void OrderIntake::writeOrderLines(const OrderMail& order, const DbValue& orderId) {
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

void OrderIntake::refreshDataSources() {
  if (dataFresh_) return;
  Data1.Refresh();
  Data2.Refresh();
  dataFresh_ = true;
}

void OrderIntake::prepareImportedMessages() {
  Database& database = platform_.database;
  createOrderTables(database);
  mailbox_ = mailboxKey();
  imported_.clear();
  const QueryResult rows = database.select(kImportedTable);
  for (const auto& row : rows.rows) {
    if (row.size() >= 2 && row[0] == DbValue(mailbox_)) imported_.insert(row[1].toText());
  }
}

std::string OrderIntake::mailboxKey() const {
  return PopUserName.Text() + "@" + PopHost.Text();
}

std::string OrderIntake::today() const {
  return platform_.today ? platform_.today() : localDate();
}

void OrderIntake::appendLog(const std::string& lines) {
  Text18.setText(Text18.Text() + lines);
}

void OrderIntake::logOrder(const OrderMail& order) {
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
  appendLog(lines);
}

// Any error ends the mailbox session, so the intake ends with it: the orders
// stored so far stay, and "Get Orders" can start a new intake.
void OrderIntake::Mail1_AsyncError(int number, const std::string& description) {
  platform_.dialogs.MsgBox("AsyncError: " + description + "(" +
                           numberText(static_cast<std::int64_t>(number)) + ")");
  if (mailState_ == MailState::Idle) return;
  Timer1.setEnabled(false);
  busy_ = false;
  mailState_ = MailState::Idle;
  cmdGetMail.setEnabled(true);
  appendLog("The intake ended: " + description + "\r\n");
  finish({false, ordersStored_, description});
}

void OrderIntake::Mail1_Progress(long done, long total) {
  if (total == 0) {
    lblPercentage.setCaption("0");
    return;
  }
  const auto percent = static_cast<std::int64_t>(static_cast<double>(done) / total * 100);
  lblPercentage.setCaption(trimmedNumberText(percent) + "%");
}

void OrderIntake::finish(IntakeResult result) {
  if (onFinished) onFinished(result);
}

}  // namespace vendaro
