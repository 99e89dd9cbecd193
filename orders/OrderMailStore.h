#pragma once

#include <functional>
#include <set>
#include <string>

#include "common/MailStore.h"
#include "common/MailboxIntake.h"
#include "orders/OrderMail.h"
#include "platform/DataControl.h"
#include "platform/Database.h"

namespace vendaro {

// How the intake log shows the card number and expiry date of an order.
enum class CardDetails { Shown, Masked };

// Stores order mails: one `Orders` record per mail whose subject names an
// order, one `Order Details` record per ordered line, and the message's
// unique id in `ImportedMessages`, all in one transaction. A mail that is
// not an order is recorded as imported, so it is not fetched again (and may
// be deleted). Shows the lines read, the log and the count on the tab.
class OrderMailStore : public MailStore {
 public:
  // `today`: the date stored in OrderDate; empty: the local date as YYYY-MM-DD.
  OrderMailStore(Database& database, MailboxIntake& tab, std::function<std::string()> today);

  void prepare(const std::string& mailboxKey) override;
  bool wasImported(const std::string& uid) const override;
  StoreOutcome store(const std::string& messageText, const std::string& uid) override;

  // The log of the window shows what the mail carried; a printed log masks
  // the card number and leaves the expiry date out.
  CardDetails logCardDetails = CardDetails::Shown;

  DataControl Data1;  // "Orders"
  DataControl Data2;  // "Order Details"

 private:
  bool storeOrder(const OrderMail& order, const std::string& uid);
  bool recordVerdict(const std::string& uid);
  void recordImported(const std::string& uid);
  void writeOrderRecord(const OrderMail& order);
  void writeOrderLines(const OrderMail& order, const DbValue& orderId);
  void refreshDataSources();
  std::string today() const;
  void logOrder(const OrderMail& order);

  Database& database_;
  MailboxIntake& tab_;
  std::function<std::string()> today_;
  bool dataFresh_ = false;
  // Unique ids of the messages of this mailbox that are stored.
  std::set<std::string> imported_;
  std::string mailbox_;
};

}  // namespace vendaro
