#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "intake/MailStore.h"
#include "platform/BlockingEventLoop.h"
#include "platform/Dialogs.h"
#include "platform/EventLoop.h"
#include "platform/FileLock.h"
#include "platform/MailClient.h"
#include "platform/Outcome.h"
#include "platform/controls/Timer.h"

namespace vendaro {

// Next to the database in the application folder: locked while an order or
// response intake runs, so two never store the same mails twice.
inline constexpr const char* kIntakeLockFile = "Vendaro2.mdb.intake-lock";

// How one intake ended.
struct IntakeResult {
  bool completed = false;  // logged out normally
  int stored = 0;          // messages stored by the mail store
  int failed = 0;          // messages the store could not store (left on the server)
  std::string error;       // what ended the intake early
  int errorNumber = 0;     // the mail client's number for it (kMailLoginRefused, ...)
};

// What became of one message of an intake.
struct MessageOutcome {
  enum class Kind {
    Stored,             // stored by the mail store
    SkippedAsImported,  // stored or noted by an earlier intake: not stored again
    NotForStore,        // not an order, or not for this store
    Failed,             // could not be stored: fetched again by the next intake
  };
  Kind kind = Kind::Failed;
  int number = 0;  // message n of N waiting in this intake
  int total = 0;
  std::string uid = {};
  // Why the message stays on the server; empty: it may be deleted there.
  std::string keptBecause = {};
  std::string error = {};  // what went wrong (Failed)
};

// What a session tells as it runs; each may be left empty.
struct MailIntakeEvents {
  // Lines for the intake log, CR LF line ends included.
  std::function<void(const std::string& lines)> log;
  // A line the store cut from a mail (the order lines), in arrival order.
  std::function<void(const std::string& line)> lineRead;
  // The records in the store's table after a message was stored.
  std::function<void(std::int64_t records)> recordCount;
  // Bytes of the message being fetched: done of total (0 when unknown).
  std::function<void(long done, long total)> bytes;
  // What became of each message, once it is done with (before its deletion).
  std::function<void(const MessageOutcome& outcome)> message;
  // True from the first waiting message on, false when the session ended.
  std::function<void(bool fetching)> fetching;
  // An intake that started has ended: after the log-out, or when an error
  // ended the mailbox session.
  std::function<void(const IntakeResult& result)> finished;
};

// One intake from a mailbox: logs into it, takes the messages one at a time,
// hands each to a `MailStore` and, when `deletesStored`, deletes it on the
// server once it is stored. It tells what it does through `events` and shows
// the mail control's message boxes ("No mail waiting", "AsyncError: ...")
// through `dialogs`. The store wizard's "E-Mail DB" tab, the form creator's
// intake and the get- commands each run one.
//
// The mail control's numbered actions map onto the mail client: log in is
// `connect` (which also reads the message count), a message step is
// `uniqueId` then `fetchMessage`, deletion is `deleteMessage`, log out is
// `disconnect`. Every mail client event arrives through the event loop.
class MailIntakeSession {
 public:
  static constexpr const char* kNoMail = "No mail waiting";
  static constexpr const char* kBusy =
      "Another mail intake is running for this application folder; try again when it is done.";

  // What `mailState` says the last mail action was (the mail control's numbers).
  enum class MailState { Idle = 0, MessageStep = 1, LoggingIn = 7, LoggingOut = 9, Deleting = 10 };
  // What the next timer tick does (the mail control's action numbers).
  enum class NextStep { None = 0, NextMessage = 13, DeleteMessage = 10, LogOut = 8 };

  // `store` is used from the first `start` on; it may be constructed after
  // the session (a member of a class that owns both).
  MailIntakeSession(EventLoop& loop, Dialogs& dialogs, std::unique_ptr<MailClient> mail,
                    MailStore& store);
  ~MailIntakeSession();
  MailIntakeSession(const MailIntakeSession&) = delete;
  MailIntakeSession& operator=(const MailIntakeSession&) = delete;

  // Starts an intake from the mailbox of `account`; `events.finished` tells
  // when it ended. Fails, without starting, when an intake runs already
  // (Conflict), another intake holds `lockFile` (Conflict), or the lock or
  // the store cannot be had (Io); but for the first, a message box said why.
  Done start(const MailAccount& account);
  // Ends a running intake after the message being taken (logging out as
  // usual); the next `start` forgets a stop asked for before it.
  void stopAfterCurrentMessage() { stopRequested_ = true; }
  bool running() const { return mailState_ != MailState::Idle; }

  void Timer1_Timer();
  void Mail1_Complete(MailAction action);
  void Mail1_AsyncError(int number, const std::string& description);
  void Mail1_Progress(long done, long total);

  MailState mailState() const { return mailState_; }
  NextStep nextStep() const { return nextStep_; }
  int messageIndex() const { return messageIndex_; }
  // Messages stored since the last start.
  int storedCount() const { return stored_; }
  MailClient& mailClient() { return *mail_; }

  MailIntakeEvents events;
  // "Host &Delete": each stored message is deleted on the server. With IMAP,
  // stored messages are moved away (by the mail client) either way, and mails
  // that are not for the store stay.
  bool deletesStored = false;
  // The file locked from the start of an intake to its end; empty: no lock.
  std::filesystem::path lockFile;

  Timer Timer1;

 private:
  Done takeLock();
  Done prepareStore(const std::string& mailboxKey);
  void handleCompletion();
  void scheduleStep();
  void logOut();
  void startMessageStep();
  void messageIdentified();
  void messageFetched();
  void skipImported();
  void recheckImported();
  bool movesStored() const { return protocol_ == MailAccount::Protocol::Imap; }
  void tell(const StoredMail& stored);
  void finishMessageStep(MessageOutcome::Kind kind, std::string keptBecause = {},
                         std::string error = {});
  NextStep stepAfterMessage() const;
  void keepOnServer(const std::string& reason);
  void logKept();
  void log(const std::string& lines);
  void setFetching(bool fetching);
  void finish(IntakeResult result);
  void connectEvents();

  Dialogs& dialogs_;
  std::unique_ptr<MailClient> mail_;
  MailStore& store_;
  MailAccount::Protocol protocol_ = MailAccount::Protocol::Pop3;
  MailState mailState_ = MailState::Idle;
  NextStep nextStep_ = NextStep::None;
  int messageIndex_ = 0;
  int waiting_ = 0;
  bool busy_ = false;
  bool stopRequested_ = false;
  int stored_ = 0;
  int failed_ = 0;
  // The message the current step works on, 1-based, its unique id and
  // whether it may be deleted on the server.
  int currentNumber_ = 0;
  std::string currentUid_;
  bool currentDeletable_ = false;
  // The message was imported before and is fetched again only to learn
  // whether it is the store's own (so that it is moved away).
  bool rechecking_ = false;
  int deletions_ = 0;  // deletions asked for in this session
  // With `deletesStored`: the messages left on the server, by reason.
  std::map<std::string, int> kept_;
  bool abandoning_ = false;  // the session ends without committing its deletions
  std::string abandonReason_;
  EventLoop& loop_;
  EventLoop::TaskId pendingStep_ = 0;
  std::unique_ptr<FileLock> lock_;
};

// Starts an intake from the mailbox of `account` and runs `loop` until it
// has ended; what a headless command does. An intake that did not start
// ends at once, not completed, with the reason as its error.
IntakeResult runIntakeToEnd(MailIntakeSession& session, BlockingEventLoop& loop,
                            const MailAccount& account);

// The unique id of a message when the server has none (UIDL is optional):
// its Message-ID, else a SHA-256 digest of the whole text.
std::string fallbackUniqueId(const std::string& messageText);

}  // namespace vendaro
