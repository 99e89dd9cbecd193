#pragma once

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "common/MailboxIntake.h"
#include "intake/MailStore.h"
#include "intake/MailboxMemory.h"
#include "platform/BlockingEventLoop.h"
#include "platform/Dialogs.h"
#include "platform/EventLoop.h"
#include "platform/FileLock.h"
#include "platform/MailClient.h"
#include "platform/MailSettings.h"
#include "platform/Timer.h"

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

// The mail conversation of a mailbox tab: logs into the POP3 mailbox, takes
// the messages one at a time, hands each to a `MailStore` and, with "Host
// &Delete" checked, deletes it on the server once it is stored.
//
// The mail control's numbered actions map onto the mail client: log in is
// `connect` (which also reads the message count), a message step is
// `uniqueId` then `fetchMessage`, deletion is `deleteMessage`, log out is
// `disconnect`. Every mail client event arrives through the event loop.
class MailIntakeEngine : public MailboxIntake {
 public:
  static constexpr const char* kNoMail = "No mail waiting";
  static constexpr const char* kBusy =
      "Another mail intake is running for this application folder; try again when it is done.";
  static constexpr const char* kDeleteWarning =
      "Messages will be deleted after they are read from the host.";

  // What `mailState` says the last mail action was (the mail control's numbers).
  enum class MailState { Idle = 0, MessageStep = 1, LoggingIn = 7, LoggingOut = 9, Deleting = 10 };
  // What the next timer tick does (the mail control's action numbers).
  enum class NextStep { None = 0, NextMessage = 13, DeleteMessage = 10, LogOut = 8 };

  // `store` is used from the first "Get Orders" on; it may be constructed
  // after the engine (a member of a derived class).
  MailIntakeEngine(EventLoop& loop, Dialogs& dialogs, std::unique_ptr<MailClient> mail,
                   MailStore& store);
  ~MailIntakeEngine() override;
  MailIntakeEngine(const MailIntakeEngine&) = delete;
  MailIntakeEngine& operator=(const MailIntakeEngine&) = delete;

  void cmdGetMail_Click() override;     // the fetch button
  void chkHostDelete_Click() override;  // called after the box changed its value
  void Timer1_Timer();
  void Mail1_Complete(MailAction action);
  void Mail1_AsyncError(int number, const std::string& description);
  void Mail1_Progress(long done, long total);

  // Ends a running intake after the message being taken (logging out as
  // usual); a stop asked for before the next click is forgotten by it.
  void stopAfterCurrentMessage() { stopRequested_ = true; }

  MailState mailState() const { return mailState_; }
  NextStep nextStep() const { return nextStep_; }
  int messageIndex() const { return messageIndex_; }
  // Messages stored since the last click of the fetch button.
  int storedCount() const { return stored_; }
  MailClient& mailClient() { return *mail_; }

  // Raised when an intake ends: after the log-out, or when an error ended the
  // mailbox session.
  std::function<void(const IntakeResult&)> onFinished;
  // Raised after each message step with the messages done and waiting.
  std::function<void(int done, int total)> onMessageDone;
  // Where the log goes when set (a printed log); otherwise into `Text18`,
  // which keeps its last kMaxLogBytes.
  std::function<void(const std::string& lines)> onLog;
  static constexpr std::size_t kMaxLogBytes = 256 * 1024;

  // Adds lines (CR LF line ends included) to the log.
  void appendLog(const std::string& lines);

  // Takes host, mailbox address, port, security and CA file from [mail].
  void useMailSettings(const MailSettings& settings);
  // Takes the whole account: host, user, password, port, security, CA file.
  void useAccount(const MailAccount& account);
  // Remembers host and user in `file` and the password in `keyring` (may be
  // null) from now on, and fills the tab from what was remembered.
  void rememberMailbox(std::filesystem::path file, PasswordKeyring* keyring);

  // Connection details the tab does not show: from [mail], or the command line.
  int popPort = 0;  // 0: the protocol's default
  MailAccount::Security popSecurity = MailAccount::Security::None;
  std::string popCaFile;
  // With IMAP, stored messages are moved away (by the mail client) whether or
  // not "Host &Delete" is checked, and mails that are not for the store stay.
  MailAccount::Protocol mailProtocol = MailAccount::Protocol::Pop3;
  MailAccount::Login popLogin = MailAccount::Login::Password;
  // Logged after "Message <uid> " for a message stored by an earlier intake.
  // What the tab keeps between runs, written when the fetch button starts an
  // intake; null: nothing is kept (the commands).
  std::unique_ptr<MailboxMemory> memory;
  std::string importedNote = "was imported before; it is not stored again.";
  // Whether checking "Host &Delete" shows kDeleteWarning (the order intake's).
  bool warnsOnHostDelete = true;
  // The file locked from the start of an intake to its end; empty: no lock.
  std::filesystem::path lockFile;

  Timer Timer1;

 private:
  bool takeLock();
  void handleCompletion();
  void scheduleStep();
  void logOut();
  void startMessageStep();
  void messageIdentified();
  void messageFetched();
  void skipImported();
  void recheckImported();
  bool movesStored() const { return mailProtocol == MailAccount::Protocol::Imap; }
  void finishMessageStep();
  NextStep stepAfterMessage() const;
  void keepOnServer(const std::string& reason);
  void logKept();
  std::string mailboxKey() const;
  void finish(IntakeResult result);
  void connectEvents();

  Dialogs& dialogs_;
  std::unique_ptr<MailClient> mail_;
  MailStore& store_;
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
  int deletions_ = 0;        // deletions asked for in this session
  // With "Host &Delete": the messages left on the server, by reason.
  std::map<std::string, int> kept_;
  bool abandoning_ = false;  // the session ends without committing its deletions
  std::string abandonReason_;
  EventLoop& loop_;
  EventLoop::TaskId pendingStep_ = 0;
  std::unique_ptr<FileLock> lock_;
};

// Clicks the fetch button and runs `loop` until the intake has ended (at
// once when it did not start); what a headless command does.
IntakeResult runIntakeToEnd(MailIntakeEngine& intake, BlockingEventLoop& loop);

// Appends lines (CR LF line ends included) to the tab's log; through
// `appendLog` when the tab is an intake engine.
void appendIntakeLog(MailboxIntake& tab, const std::string& lines);

// The unique id of a message when the server has none (UIDL is optional):
// its Message-ID, else a digest of the whole text.
std::string fallbackUniqueId(const std::string& messageText);

}  // namespace vendaro
