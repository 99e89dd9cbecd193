#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "intake/MailStore.h"
#include "orders/OrderChecks.h"
#include "orders/OrderMail.h"
#include "platform/Database.h"

namespace vendaro {

// Stores order mails: one `Orders` record per mail whose subject names an
// order, one `Order Details` record per ordered line, and the message's
// unique id in `ImportedMessages`, all in one transaction. A mail that is
// not an order is noted as imported, so it is not fetched again, with the
// reason it stays on the server; so is an order without items, which is
// stored flagged "no items". Only the other orders may be deleted on the
// server. Tells the intake the lines read, the log and the orders counted.
class OrderMailStore : public MailStore {
 public:
  // `today`: the date stored in OrderDate; empty: the local date as YYYY-MM-DD.
  OrderMailStore(Database& database, std::function<std::string()> today);

  void prepare(const std::string& mailboxKey) override;
  bool wasImported(const std::string& uid) const override;
  std::string keptSinceEarlier(const std::string& uid) const override;
  std::string whyKept(StoreOutcome outcome) const override;
  std::string importedNote() const override {
    return "was imported before; its order is not stored again.";
  }
  StoredMail store(const std::string& messageText, const std::string& uid) override;
  bool isOwnMail(const std::string& messageText) const override;
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
  // Why the order could not be stored; nothing when it was.
  std::optional<std::string> storeOrder(const OrderMail& order,
                                        const std::vector<OrderLine>& lines,
                                        const std::string& mailText, const std::string& uid);
  std::optional<std::string> recordVerdict(const std::string& uid);
  void recordImported(const std::string& uid, const std::string& kept);
  FieldValues orderRecord(const OrderMail& order, const std::vector<OrderLine>& lines) const;
  void writeOrderLines(const std::vector<OrderLine>& lines, std::int64_t orderId);
  std::string today() const;
  std::string orderLog(const OrderMail& order, const std::string& flags) const;

  Database& database_;
  std::function<std::string()> today_;
  std::int64_t ordersInTable_ = 0;
  // The intake's checkpoint failed: closing does not wait for it again.
  bool durabilityFailed_ = false;
  // Unique ids of the messages of this mailbox that are stored or noted,
  // with the reason each stays on the server (empty: it may be deleted).
  std::map<std::string, std::string> imported_;
  std::string mailbox_;
  std::filesystem::path checkFolder_;
  std::unique_ptr<OrderChecker> checker_;
  int ordersFlagged_ = 0;
};

}  // namespace vendaro
