#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vendaro {

// What became of one message handed to a mail store.
enum class StoreOutcome {
  Stored,      // stored: it may be deleted on the server
  StoredKept,  // stored, and the message stays on the server for the merchant to see
  Ignored,     // not for this store, noted as seen so it is not fetched again: it stays
  NotForMe,    // not for this store, nothing noted: the message stays on the server
  Failed,      // could not be stored: it stays on the server and is fetched again next time
};

// What a store made of one message, and what it shows of it; the intake
// session hands it on as events.
struct StoredMail {
  StoreOutcome outcome = StoreOutcome::Failed;
  std::string error = {};  // why it could not be stored (Failed)
  std::string log = {};    // lines for the intake log, CR LF line ends included
  std::vector<std::string> linesRead = {};  // the lines cut from the mail, in order
  // The records in the store's table once it is stored; none: not counted.
  std::optional<std::int64_t> recordCount = {};
};

// Where a mail intake puts the messages it fetches: the order intake stores
// orders, the form creator's response intake stores form responses. Each
// message is stored together with the record that its unique id is imported,
// in one transaction, so a message is never stored twice nor half.
class MailStore {
 public:
  virtual ~MailStore() = default;

  // Readies the store for one intake from the mailbox `mailboxKey`
  // ("user@host"): creates what is missing and reads the imported unique ids.
  // Throws DataError when the store cannot be used; the intake then does not start.
  virtual void prepare(const std::string& mailboxKey) = 0;
  // True when the message with this unique id was stored by an earlier intake.
  virtual bool wasImported(const std::string& uid) const = 0;
  // Why a message that an earlier intake stored or noted stays on the
  // server; empty when it may be deleted there.
  virtual std::string keptSinceEarlier(const std::string& /*uid*/) const { return {}; }
  // Why a message with this outcome of `store` stays on the server (the
  // intake log counts them by reason).
  virtual std::string whyKept(StoreOutcome outcome) const {
    switch (outcome) {
      case StoreOutcome::Failed:
        return "could not be stored";
      case StoreOutcome::StoredKept:
        return "stored, and kept to be looked at";
      default:
        return "not for this intake";
    }
  }
  // Logged after "Message <uid> " for a message stored by an earlier intake.
  virtual std::string importedNote() const {
    return "was imported before; it is not stored again.";
  }
  // Stores one message (header and body, CR LF line ends) with its unique id.
  virtual StoredMail store(const std::string& messageText, const std::string& uid) = 0;
  // True when the message is of the kind this store keeps (an order, a
  // response), whether or not it is stored yet. The IMAP intake asks this of
  // a message imported before that is still in the inbox, to move it away.
  virtual bool isOwnMail(const std::string& /*messageText*/) const { return false; }
  // Makes everything stored so far durable; the intake calls it before the
  // server commits any deletion. Throws DataError when that fails.
  virtual void makeDurable() {}
  // The intake ended (normally or not); releases what `prepare` took.
  virtual void close() {}
};

}  // namespace vendaro
