#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <set>
#include <string>

#include "common/MailStore.h"
#include "common/MailboxIntake.h"
#include "orders/OrderChecks.h"
#include "orders/OrderMail.h"
#include "platform/Database.h"
#include "platform/FileLock.h"

namespace vendaro {

// How the intake log shows the card number and expiry date of an order.
enum class CardDetails { Shown, Masked };

// Stores order mails: one `Orders` record per mail whose subject names an
// order, one `Order Details` record per ordered line, and the message's
// unique id in `ImportedMessages`, all in one transaction. A mail that is
// not an order is recorded as imported, so it is not fetched again (and may
// be deleted). Shows the lines read, the log and the count on the tab.
//
// Only one intake at a time stores into a database: `prepare` takes the lock
// file given, `close` lets it go.
class OrderMailStore : public MailStore {
 public:
  static constexpr const char* kBusy =
      "Another order intake is running for this application folder; try again when it is done.";

  // `today`: the date stored in OrderDate; empty: the local date as YYYY-MM-DD.
  // `lockFile`: empty for no lock.
  OrderMailStore(Database& database, MailboxIntake& tab, std::function<std::string()> today,
                 std::filesystem::path lockFile = {});

  void prepare(const std::string& mailboxKey) override;
  bool wasImported(const std::string& uid) const override;
  StoreOutcome store(const std::string& messageText, const std::string& uid) override;
  void makeDurable() override;
  void close() override;

  // Checks every order stored against what the generations in `appFolder`
  // published, and for repeats; the records are read afresh by each intake.
  void checkOrdersAgainst(std::filesystem::path appFolder) { checkFolder_ = std::move(appFolder); }
  // Orders of the last intake whose check was not "ok".
  int ordersFlagged() const { return ordersFlagged_; }

  // The log of the window shows what the mail carried; a printed log masks
  // the card number and leaves the expiry date out.
  CardDetails logCardDetails = CardDetails::Shown;

 private:
  void takeLock();
  bool storeOrder(const OrderMail& order, const std::string& mailText, const std::string& uid);
  bool recordVerdict(const std::string& uid);
  void recordImported(const std::string& uid);
  FieldValues orderRecord(const OrderMail& order) const;
  void writeOrderLines(const OrderMail& order, std::int64_t orderId);
  std::string today() const;
  void logOrder(const OrderMail& order);

  Database& database_;
  MailboxIntake& tab_;
  std::function<std::string()> today_;
  std::filesystem::path lockFile_;
  std::unique_ptr<FileLock> lock_;
  std::int64_t ordersInTable_ = 0;
  // The intake's checkpoint failed: closing does not wait for it again.
  bool durabilityFailed_ = false;
  // Unique ids of the messages of this mailbox that are stored.
  std::set<std::string> imported_;
  std::string mailbox_;
  std::filesystem::path checkFolder_;
  std::unique_ptr<OrderChecker> checker_;
  int ordersFlagged_ = 0;
};

}  // namespace vendaro
