#pragma once

#include <functional>
#include <memory>
#include <set>
#include <string>

#include "common/MailboxIntake.h"
#include "orders/OrderMail.h"
#include "platform/CheckBox.h"
#include "platform/DataControl.h"
#include "platform/Database.h"
#include "platform/Dialogs.h"
#include "platform/EventLoop.h"
#include "platform/Label.h"
#include "platform/ListControl.h"
#include "platform/MailClient.h"
#include "platform/MailSettings.h"
#include "platform/TextBox.h"
#include "platform/Timer.h"

namespace vendaro {

// What the order intake talks to.
struct OrderIntakePlatform {
  EventLoop& loop;
  Dialogs& dialogs;
  const MailSettings& settings;
  Database& database;
  // Today's date as stored in OrderDate; empty: the local date as YYYY-MM-DD.
  std::function<std::string()> today;
};

// How the intake log shows the card number and expiry date of an order.
enum class CardDetails { Shown, Masked };

// How one intake ended.
struct IntakeResult {
  bool completed = false;  // logged out normally
  int ordersStored = 0;
  std::string error;  // the mail client's description when it ended the intake
};

// The "E-Mail DB" tab of the store wizard: fetches the order mails from the
// POP3 mailbox one at a time and stores each as an `Orders` record with one
// `Order Details` record per ordered line.
//
// The mail control's numbered actions map onto the mail client: log in is
// `connect` (which also reads the message count), a message step is
// `uniqueId` then `fetchMessage`, deletion is `deleteMessage`, log out is
// `disconnect`. Every mail client event arrives through the event loop.
class OrderIntake : public MailboxIntake {
 public:
  static constexpr const char* kNoMail = "No mail waiting";
  static constexpr const char* kDeleteWarning =
      "Messages will be deleted after they are read from the host.";

  // What `mailState` says the last mail action was (the mail control's numbers).
  enum class MailState { Idle = 0, MessageStep = 1, LoggingIn = 7, LoggingOut = 9, Deleting = 10 };
  // What the next timer tick does (the mail control's action numbers).
  enum class NextStep { None = 0, NextMessage = 13, DeleteMessage = 10, LogOut = 8 };

  OrderIntake(OrderIntakePlatform platform, std::unique_ptr<MailClient> mail);
  OrderIntake(const OrderIntake&) = delete;
  OrderIntake& operator=(const OrderIntake&) = delete;

  void cmdGetMail_Click() override;     // Get Orders
  void chkHostDelete_Click() override;  // called after the box changed its value
  void Timer1_Timer();
  void Mail1_Complete(MailAction action);
  void Mail1_AsyncError(int number, const std::string& description);
  void Mail1_Progress(long done, long total);

  MailState mailState() const { return mailState_; }
  NextStep nextStep() const { return nextStep_; }
  int messageIndex() const { return messageIndex_; }
  // Orders stored since the last "Get Orders".
  int ordersStored() const { return ordersStored_; }
  MailClient& mailClient() { return *mail_; }

  // Raised when an intake ends: after the log-out, or when an error ended the
  // mailbox session.
  std::function<void(const IntakeResult&)> onFinished;

  // Connection details the tab does not show; the command line sets them.
  int popPort = 0;  // 0: the protocol's default
  MailAccount::Security popSecurity = MailAccount::Security::None;
  std::string popCaFile;
  // The log of the window shows what the mail carried; a printed log masks
  // the card number and leaves the expiry date out.
  CardDetails logCardDetails = CardDetails::Shown;

  Timer Timer1;
  DataControl Data1;  // "Orders"
  DataControl Data2;  // "Order Details"

 private:
  void handleCompletion();
  void startMessageStep();
  void messageIdentified();
  void messageFetched();
  void finishMessageStep();
  void processMessage(const std::string& text);
  bool storeOrder(const OrderMail& order);
  void writeOrderRecord(const OrderMail& order);
  void writeOrderLines(const OrderMail& order, const DbValue& orderId);
  void refreshDataSources();
  void prepareImportedMessages();
  std::string mailboxKey() const;
  std::string today() const;
  void appendLog(const std::string& lines);
  void logOrder(const OrderMail& order);
  void finish(IntakeResult result);
  void connectEvents();

  OrderIntakePlatform platform_;
  std::unique_ptr<MailClient> mail_;
  MailState mailState_ = MailState::Idle;
  NextStep nextStep_ = NextStep::None;
  int messageIndex_ = 0;
  int waiting_ = 0;
  bool busy_ = false;
  int ordersStored_ = 0;
  // The message the current step works on, 1-based, and its unique id.
  int currentNumber_ = 0;
  std::string currentUid_;
  bool dataFresh_ = false;
  // Unique ids of the messages of this mailbox whose orders are stored.
  std::set<std::string> imported_;
  std::string mailbox_;
};

}  // namespace vendaro
