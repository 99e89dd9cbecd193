#include "intake/MailIntakeEngine.h"

#include <cstdint>
#include <cstdio>
#include <system_error>
#include <utility>

#include "common/MailValues.h"
#include "common/NumberText.h"
#include "platform/Database.h"

namespace vendaro {
namespace {

// `Timer1` stands for the step that is due; the step itself is posted to run
// at once, so the intake never waits for a timer while there is work.
constexpr int kStepIntervalMs = 1;

std::string headerPart(const std::string& text) {
  const std::size_t end = text.find("\r\n\r\n");
  return end == std::string::npos ? text : text.substr(0, end + 2);
}

// FNV-1a, 64 bits: stable across runs and builds.
std::string digestOf(const std::string& text) {
  std::uint64_t hash = 14695981039346656037ULL;
  for (const char c : text) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 1099511628211ULL;
  }
  char hex[17];
  std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(hash));
  return hex;
}

std::string trimmed(std::string text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (!text.empty() && blank(text.back())) text.pop_back();
  std::size_t start = 0;
  while (start < text.size() && blank(text[start])) ++start;
  return text.substr(start);
}

}  // namespace

std::string fallbackUniqueId(const std::string& messageText) {
  const std::string header = headerPart(messageText);
  const std::string messageId = trimmed(GetLineValue(header, "\nMessage-ID:"));
  if (!messageId.empty()) return "message-id " + messageId;
  return "digest " + digestOf(messageText) + "-" + std::to_string(messageText.size());
}

void appendIntakeLog(MailboxIntake& tab, const std::string& lines) {
  if (auto* engine = dynamic_cast<MailIntakeEngine*>(&tab)) return engine->appendLog(lines);
  tab.Text18.setText(tab.Text18.Text() + lines);
}

void MailIntakeEngine::appendLog(const std::string& lines) {
  if (onLog) {
    onLog(lines);
    return;
  }
  std::string log = Text18.Text() + lines;
  if (log.size() > kMaxLogBytes) {
    const std::size_t cut = log.find("\r\n", log.size() - kMaxLogBytes);
    log.erase(0, cut == std::string::npos ? log.size() - kMaxLogBytes : cut + 2);
  }
  Text18.setText(log);
}

MailIntakeEngine::MailIntakeEngine(EventLoop& loop, Dialogs& dialogs,
                                   std::unique_ptr<MailClient> mail, MailStore& store)
    : Timer1(loop, kStepIntervalMs, false),
      dialogs_(dialogs),
      mail_(std::move(mail)),
      store_(store),
      loop_(loop) {
  Timer1.onTimer = [this] { Timer1_Timer(); };
  connectEvents();
}

MailIntakeEngine::~MailIntakeEngine() {
  if (pendingStep_ != 0) loop_.cancel(pendingStep_);
}

void MailIntakeEngine::scheduleStep() {
  Timer1.setEnabled(true);
  if (pendingStep_ != 0) loop_.cancel(pendingStep_);
  pendingStep_ = loop_.postDelayed(0, [this] {
    pendingStep_ = 0;
    Timer1_Timer();
  });
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
  if (memory && !memory->keep(*this)) {
    appendLog("The password could not be stored in the keyring.\r\n");
  }
  if (!takeLock()) return;
  try {
    store_.prepare(mailboxKey());
  } catch (const DataError& error) {
    dialogs_.MsgBox(error.what());
    finish({false, 0, 0, error.what(), 0});
    return;
  }
  stored_ = 0;
  failed_ = 0;
  deletions_ = 0;
  stopRequested_ = false;
  kept_.clear();
  abandoning_ = false;
  abandonReason_.clear();
  mailState_ = MailState::LoggingIn;
  MailAccount account;
  account.host = PopHost.Text();
  account.port = popPort;
  account.security = popSecurity;
  account.caFile = popCaFile;
  account.user = PopUserName.Text();
  account.password = PopPassword.Text();
  account.protocol = mailProtocol;
  account.login = popLogin;
  mail_->connect(account);
}

// Two intakes into one database would both store every mail.
bool MailIntakeEngine::takeLock() {
  if (lockFile.empty()) return true;
  std::string failure = kBusy;
  try {
    lock_ = FileLock::tryTake(lockFile);
  } catch (const std::system_error& error) {
    failure = std::string("Cannot lock the mail intake: ") + error.what();
  }
  if (lock_) return true;
  dialogs_.MsgBox(failure);
  if (onFinished) onFinished({false, 0, 0, failure});
  return false;
}

void MailIntakeEngine::useMailSettings(const MailSettings& settings) {
  PopHost.setText(settings.popHost);
  Email.setText(settings.mailboxAddress);
  popPort = settings.port;
  popSecurity = settings.security;
  popCaFile = settings.caFile;
  mailProtocol = settings.protocol;
}

void MailIntakeEngine::useAccount(const MailAccount& account) {
  PopHost.setText(account.host);
  PopUserName.setText(account.user);
  PopPassword.setText(account.password);
  popPort = account.port;
  popSecurity = account.security;
  popCaFile = account.caFile;
  mailProtocol = account.protocol;
  popLogin = account.login;
}

IntakeResult runIntakeToEnd(MailIntakeEngine& intake, BlockingEventLoop& loop) {
  IntakeResult result;
  auto finished = intake.onFinished;
  intake.onFinished = [&](const IntakeResult& ended) {
    result = ended;
    if (finished) finished(ended);
    loop.stop();
  };
  loop.post([&] {
    intake.cmdGetMail_Click();
    if (intake.mailState() == MailIntakeEngine::MailState::Idle) loop.stop();  // it did not start
  });
  loop.run();
  intake.onFinished = finished;
  return result;
}

void MailIntakeEngine::rememberMailbox(std::filesystem::path file, PasswordKeyring* keyring) {
  if (file.empty()) return;
  memory = std::make_unique<MailboxMemory>(std::move(file), keyring);
  memory->recall(*this);
}

void MailIntakeEngine::chkHostDelete_Click() {
  if (warnsOnHostDelete && chkHostDelete.checked()) {
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
      scheduleStep();
      return;
    case MailState::MessageStep:
      // A message whose store failed (or that is not for this store) stays
      // on the server.
      if ((chkHostDelete.checked() || movesStored()) && currentDeletable_) {
        nextStep_ = NextStep::DeleteMessage;
      } else {
        nextStep_ = stepAfterMessage();
      }
      scheduleStep();
      return;
    case MailState::Deleting:
      nextStep_ = stepAfterMessage();
      scheduleStep();
      return;
    case MailState::LoggingOut:
      cmdGetMail.setEnabled(true);
      mailState_ = MailState::Idle;
      if (abandoning_) {
        finish({false, stored_, failed_, abandonReason_, 0});
      } else {
        finish({true, stored_, failed_, {}, 0});
      }
      return;
    default:
      return;
  }
}

MailIntakeEngine::NextStep MailIntakeEngine::stepAfterMessage() const {
  return messageIndex_ < waiting_ && !stopRequested_ ? NextStep::NextMessage : NextStep::LogOut;
}

void MailIntakeEngine::Timer1_Timer() {
  if (busy_) return;
  busy_ = true;
  Timer1.setEnabled(false);
  if (pendingStep_ != 0) loop_.cancel(pendingStep_);
  pendingStep_ = 0;
  switch (nextStep_) {
    case NextStep::LogOut:
      logOut();
      break;
    case NextStep::DeleteMessage:
      mailState_ = MailState::Deleting;
      ++deletions_;
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

// The server commits the session's deletions at log-out: what was stored
// must be durable first. When it cannot be made so, the session ends without
// logging out and every message stays on the server.
void MailIntakeEngine::logOut() {
  mailState_ = MailState::LoggingOut;
  logKept();
  if (deletions_ > 0) {
    try {
      store_.makeDurable();
    } catch (const DataError& error) {
      abandoning_ = true;
      abandonReason_ = std::string(
                           "what was stored could not be made durable, so no message "
                           "was deleted: ") +
                       error.what();
      appendLog("The intake ended: " + abandonReason_ + "\r\n");
      mail_->abandon();
      return;
    }
  }
  mail_->disconnect();
}

// A message step asks for the unique id first, so that a message stored
// before is not fetched and stored again.
void MailIntakeEngine::startMessageStep() {
  mailState_ = MailState::MessageStep;
  currentNumber_ = messageIndex_ + 1;
  currentUid_.clear();
  currentDeletable_ = false;
  rechecking_ = false;
  mail_->uniqueId(currentNumber_);
}

void MailIntakeEngine::messageIdentified() {
  currentUid_ = mail_->messageUniqueId();
  if (!currentUid_.empty() && store_.wasImported(currentUid_)) {
    if (movesStored()) return recheckImported();
    skipImported();
    return;
  }
  mail_->fetchMessage(currentNumber_);
}

void MailIntakeEngine::skipImported() {
  appendLog("Message " + currentUid_ + " " + importedNote + "\r\n");
  const std::string reason = store_.keptSinceEarlier(currentUid_);
  currentDeletable_ = reason.empty();
  if (!currentDeletable_) keepOnServer(reason);
  finishMessageStep();
}

// A message imported before that is still in the inbox was stored by an
// intake that ended before it could move it, or is not the store's own.
void MailIntakeEngine::recheckImported() {
  rechecking_ = true;
  mail_->fetchMessage(currentNumber_);
}

// Only what was stored is deleted: every other message stays on the server,
// counted so the log can say how many and why.
void MailIntakeEngine::keepOnServer(const std::string& reason) {
  if (chkHostDelete.checked()) ++kept_[reason];
}

void MailIntakeEngine::logKept() {
  int total = 0;
  std::string reasons;
  for (const auto& [reason, count] : kept_) {
    total += count;
    reasons += (reasons.empty() ? "" : ", ") + std::to_string(count) + " " + reason;
  }
  if (total == 0) return;
  appendLog(std::to_string(total) + " message(s) left on the server: " + reasons + ".\r\n");
}

void MailIntakeEngine::messageFetched() {
  if (rechecking_) {
    appendLog("Message " + currentUid_ + " " + importedNote + "\r\n");
    currentDeletable_ = store_.isOwnMail(mail_->messageText());
    return finishMessageStep();
  }
  if (currentUid_.empty()) {
    currentUid_ = fallbackUniqueId(mail_->messageText());
    if (store_.wasImported(currentUid_)) return skipImported();
  }
  const StoreOutcome outcome = store_.store(mail_->messageText(), currentUid_);
  if (outcome == StoreOutcome::Stored || outcome == StoreOutcome::StoredKept) ++stored_;
  if (outcome == StoreOutcome::Failed) ++failed_;
  currentDeletable_ = outcome == StoreOutcome::Stored;
  if (!currentDeletable_) keepOnServer(store_.whyKept(outcome));
  finishMessageStep();
}

void MailIntakeEngine::finishMessageStep() {
  messageIndex_ += 1;
  if (onMessageDone) onMessageDone(messageIndex_, waiting_);
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
  if (pendingStep_ != 0) loop_.cancel(pendingStep_);
  pendingStep_ = 0;
  busy_ = false;
  mailState_ = MailState::Idle;
  cmdGetMail.setEnabled(true);
  appendLog("The intake ended: " + description + "\r\n");
  finish({false, stored_, failed_, description, number});
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
  lock_.reset();
  if (onFinished) onFinished(result);
}

}  // namespace vendaro
