#include "common/MailIntakeEngine.h"

#include <utility>

#include "common/NumberText.h"
#include "platform/Database.h"

namespace vendaro {
namespace {

// The timer only hands each step back to the event loop; it need not wait.
constexpr int kStepIntervalMs = 1;

}  // namespace

void appendIntakeLog(MailboxIntake& tab, const std::string& lines) {
  tab.Text18.setText(tab.Text18.Text() + lines);
}

MailIntakeEngine::MailIntakeEngine(EventLoop& loop, Dialogs& dialogs,
                                   std::unique_ptr<MailClient> mail, MailStore& store)
    : Timer1(loop, kStepIntervalMs, false),
      dialogs_(dialogs),
      mail_(std::move(mail)),
      store_(store) {
  Timer1.onTimer = [this] { Timer1_Timer(); };
  connectEvents();
}

void MailIntakeEngine::connectEvents() {
  mail_->onComplete = [this](MailAction action) { Mail1_Complete(action); };
  mail_->onError = [this](int number, const std::string& description) {
    Mail1_AsyncError(number, description);
  };
  mail_->onProgress = [this](long done, long total) { Mail1_Progress(done, total); };
}

void MailIntakeEngine::cmdGetMail_Click() {
  // A second click while an intake runs would start a second conversation
  // on the same session; it is ignored.
  if (mailState_ != MailState::Idle) return;
  try {
    store_.prepare(mailboxKey());
  } catch (const DataError& error) {
    dialogs_.MsgBox(error.what());
    return;
  }
  stored_ = 0;
  failed_ = 0;
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

void MailIntakeEngine::chkHostDelete_Click() {
  if (chkHostDelete.checked()) {
    dialogs_.MsgBox(kDeleteWarning, MessageButtons::Ok, MessageIcon::Exclamation);
  }
}

void MailIntakeEngine::Mail1_Complete(MailAction action) {
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

void MailIntakeEngine::handleCompletion() {
  switch (mailState_) {
    case MailState::LoggingIn:
      mailState_ = MailState::MessageStep;
      waiting_ = mail_->messageCount();
      if (waiting_ == 0) {
        dialogs_.MsgBox(kNoMail);
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
      // A message whose store failed (or that is not for this store) stays
      // on the server.
      if (chkHostDelete.checked() && currentDeletable_) {
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
      finish({true, stored_, failed_, {}});
      return;
    default:
      return;
  }
}

void MailIntakeEngine::Timer1_Timer() {
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

// A message step asks for the unique id first, so that a message stored
// before is not fetched and stored again.
void MailIntakeEngine::startMessageStep() {
  mailState_ = MailState::MessageStep;
  currentNumber_ = messageIndex_ + 1;
  currentUid_.clear();
  currentDeletable_ = false;
  mail_->uniqueId(currentNumber_);
}

void MailIntakeEngine::messageIdentified() {
  currentUid_ = mail_->messageUniqueId();
  if (!currentUid_.empty() && store_.wasImported(currentUid_)) {
    appendIntakeLog(*this, "Message " + currentUid_ + " " + importedNote + "\r\n");
    currentDeletable_ = true;
    finishMessageStep();
    return;
  }
  mail_->fetchMessage(currentNumber_);
}

void MailIntakeEngine::messageFetched() {
  switch (store_.store(mail_->messageText(), currentUid_)) {
    case StoreOutcome::Stored:
      ++stored_;
      currentDeletable_ = true;
      break;
    case StoreOutcome::Ignored:
      currentDeletable_ = true;
      break;
    case StoreOutcome::Failed:
      ++failed_;
      break;
    case StoreOutcome::NotForMe:
      break;
  }
  finishMessageStep();
}

void MailIntakeEngine::finishMessageStep() {
  messageIndex_ += 1;
  handleCompletion();
}

std::string MailIntakeEngine::mailboxKey() const {
  return PopUserName.Text() + "@" + PopHost.Text();
}

// Any error ends the mailbox session, so the intake ends with it: what was
// stored so far stays, and the fetch button can start a new intake.
void MailIntakeEngine::Mail1_AsyncError(int number, const std::string& description) {
  dialogs_.MsgBox("AsyncError: " + description + "(" +
                  numberText(static_cast<std::int64_t>(number)) + ")");
  if (mailState_ == MailState::Idle) return;
  Timer1.setEnabled(false);
  busy_ = false;
  mailState_ = MailState::Idle;
  cmdGetMail.setEnabled(true);
  appendIntakeLog(*this, "The intake ended: " + description + "\r\n");
  finish({false, stored_, failed_, description});
}

void MailIntakeEngine::Mail1_Progress(long done, long total) {
  if (total == 0) {
    lblPercentage.setCaption("0");
    return;
  }
  const auto percent = static_cast<std::int64_t>(static_cast<double>(done) / total * 100);
  lblPercentage.setCaption(trimmedNumberText(percent) + "%");
}

void MailIntakeEngine::finish(IntakeResult result) {
  store_.close();
  if (onFinished) onFinished(result);
}

}  // namespace vendaro
