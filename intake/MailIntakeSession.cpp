#include "intake/MailIntakeSession.h"

#include <cstdint>
#include <cstdio>
#include <system_error>
#include <utility>

#include "common/MailValues.h"
#include "common/NumberText.h"
#include "platform/Database.h"
#include "platform/digest/Sha256.h"

namespace vendaro {
namespace {

// `Timer1` stands for the step that is due; the step itself is posted to run
// at once, so the intake never waits for a timer while there is work.
constexpr int kStepIntervalMs = 1;

std::string headerPart(const std::string& text) {
  const std::size_t end = text.find("\r\n\r\n");
  return end == std::string::npos ? text : text.substr(0, end + 2);
}

// The digest earlier intakes gave a message without a unique id or a
// Message-ID (FNV-1a, 64 bits). Their ids are stored, so it is still
// looked up; new ids take SHA-256.
std::string earlierDigestOf(const std::string& text) {
  std::uint64_t hash = 14695981039346656037ULL;
  for (const char c : text) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 1099511628211ULL;
  }
  char hex[17];
  std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(hash));
  return hex;
}

std::string earlierDigestId(const std::string& messageText) {
  return "digest " + earlierDigestOf(messageText) + "-" + std::to_string(messageText.size());
}

std::string trimmed(std::string text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (!text.empty() && blank(text.back())) text.pop_back();
  std::size_t start = 0;
  while (start < text.size() && blank(text[start])) ++start;
  return text.substr(start);
}

MessageOutcome::Kind kindOf(StoreOutcome outcome) {
  switch (outcome) {
    case StoreOutcome::Stored:
    case StoreOutcome::StoredKept:
      return MessageOutcome::Kind::Stored;
    case StoreOutcome::Failed:
      return MessageOutcome::Kind::Failed;
    default:
      return MessageOutcome::Kind::NotForStore;
  }
}

}  // namespace

std::string fallbackUniqueId(const std::string& messageText) {
  const std::string header = headerPart(messageText);
  const std::string messageId = trimmed(GetLineValue(header, "\nMessage-ID:"));
  if (!messageId.empty()) return "message-id " + messageId;
  return "digest " + digest::sha256Hex(messageText) + "-" + std::to_string(messageText.size());
}

void MailIntakeSession::log(const std::string& lines) {
  if (events.log) events.log(lines);
}

void MailIntakeSession::setFetching(bool fetching) {
  if (events.fetching) events.fetching(fetching);
}

MailIntakeSession::MailIntakeSession(EventLoop& loop, Dialogs& dialogs,
                                     std::unique_ptr<MailClient> mail, MailStore& store)
    : Timer1(loop, kStepIntervalMs, false),
      dialogs_(dialogs),
      mail_(std::move(mail)),
      store_(store),
      loop_(loop) {
  Timer1.onTimer = [this] { Timer1_Timer(); };
  connectEvents();
}

MailIntakeSession::~MailIntakeSession() {
  if (pendingStep_ != 0) loop_.cancel(pendingStep_);
}

void MailIntakeSession::scheduleStep() {
  Timer1.setEnabled(true);
  if (pendingStep_ != 0) loop_.cancel(pendingStep_);
  pendingStep_ = loop_.postDelayed(0, [this] {
    pendingStep_ = 0;
    Timer1_Timer();
  });
}

void MailIntakeSession::connectEvents() {
  mail_->onComplete = [this](MailAction action) { Mail1_Complete(action); };
  mail_->onError = [this](int number, const std::string& description) {
    Mail1_AsyncError(number, description);
  };
  mail_->onProgress = [this](long done, long total) { Mail1_Progress(done, total); };
}

Done MailIntakeSession::start(const MailAccount& account) {
  // A second start while an intake runs would start a second conversation
  // on the same session.
  if (running()) return failure(ErrorKind::Conflict, "A mail intake is running already.");
  if (Done locked = takeLock(); !locked) return locked;
  if (Done prepared = prepareStore(account.user + "@" + account.host); !prepared) {
    return prepared;
  }
  stored_ = 0;
  failed_ = 0;
  deletions_ = 0;
  stopRequested_ = false;
  kept_.clear();
  abandoning_ = false;
  abandonReason_.clear();
  protocol_ = account.protocol;
  mailState_ = MailState::LoggingIn;
  mail_->connect(account);
  return {};
}

// A store that cannot be used ends the intake before it logs in.
Done MailIntakeSession::prepareStore(const std::string& mailboxKey) {
  try {
    store_.prepare(mailboxKey);
    return {};
  } catch (const DataError& error) {
    dialogs_.MsgBox(error.what());
    store_.close();
    lock_.reset();
    return failure(ErrorKind::Io, error.what());
  }
}

// Two intakes into one database would both store every mail.
Done MailIntakeSession::takeLock() {
  if (lockFile.empty()) return {};
  Error refused = failure(ErrorKind::Conflict, kBusy);
  try {
    lock_ = FileLock::tryTake(lockFile);
  } catch (const std::system_error& error) {
    refused = failure(ErrorKind::Io, std::string("Cannot lock the mail intake: ") + error.what());
  }
  if (lock_) return {};
  dialogs_.MsgBox(refused.message);
  return refused;
}

IntakeResult runIntakeToEnd(MailIntakeSession& session, BlockingEventLoop& loop,
                            const MailAccount& account) {
  IntakeResult result;
  auto finished = session.events.finished;
  session.events.finished = [&](const IntakeResult& ended) {
    result = ended;
    if (finished) finished(ended);
    loop.stop();
  };
  loop.post([&] {
    const Done started = session.start(account);
    if (started) return;
    result = {false, 0, 0, started.error().message};
    loop.stop();
  });
  loop.run();
  session.events.finished = finished;
  return result;
}

void MailIntakeSession::Mail1_Complete(MailAction action) {
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

void MailIntakeSession::handleCompletion() {
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
      setFetching(true);
      messageIndex_ = 0;
      nextStep_ = NextStep::NextMessage;
      scheduleStep();
      return;
    case MailState::MessageStep:
      // A message whose store failed (or that is not for this store) stays
      // on the server.
      if ((deletesStored || movesStored()) && currentDeletable_) {
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
      setFetching(false);
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

MailIntakeSession::NextStep MailIntakeSession::stepAfterMessage() const {
  return messageIndex_ < waiting_ && !stopRequested_ ? NextStep::NextMessage : NextStep::LogOut;
}

void MailIntakeSession::Timer1_Timer() {
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
void MailIntakeSession::logOut() {
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
      log("The intake ended: " + abandonReason_ + "\r\n");
      mail_->abandon();
      return;
    }
  }
  mail_->disconnect();
}

// A message step asks for the unique id first, so that a message stored
// before is not fetched and stored again.
void MailIntakeSession::startMessageStep() {
  mailState_ = MailState::MessageStep;
  currentNumber_ = messageIndex_ + 1;
  currentUid_.clear();
  currentDeletable_ = false;
  rechecking_ = false;
  mail_->uniqueId(currentNumber_);
}

void MailIntakeSession::messageIdentified() {
  currentUid_ = mail_->messageUniqueId();
  if (!currentUid_.empty() && store_.wasImported(currentUid_)) {
    if (movesStored()) return recheckImported();
    skipImported();
    return;
  }
  mail_->fetchMessage(currentNumber_);
}

void MailIntakeSession::skipImported() {
  log("Message " + currentUid_ + " " + store_.importedNote() + "\r\n");
  const std::string reason = store_.keptSinceEarlier(currentUid_);
  currentDeletable_ = reason.empty();
  if (!currentDeletable_) keepOnServer(reason);
  finishMessageStep(MessageOutcome::Kind::SkippedAsImported, reason);
}

// A message imported before that is still in the inbox was stored by an
// intake that ended before it could move it, or is not the store's own.
void MailIntakeSession::recheckImported() {
  rechecking_ = true;
  mail_->fetchMessage(currentNumber_);
}

// Only what was stored is deleted: every other message stays on the server,
// counted so the log can say how many and why.
void MailIntakeSession::keepOnServer(const std::string& reason) {
  if (deletesStored) ++kept_[reason];
}

void MailIntakeSession::logKept() {
  int total = 0;
  std::string reasons;
  for (const auto& [reason, count] : kept_) {
    total += count;
    reasons += (reasons.empty() ? "" : ", ") + std::to_string(count) + " " + reason;
  }
  if (total == 0) return;
  log(std::to_string(total) + " message(s) left on the server: " + reasons + ".\r\n");
}

void MailIntakeSession::messageFetched() {
  if (rechecking_) {
    log("Message " + currentUid_ + " " + store_.importedNote() + "\r\n");
    currentDeletable_ = store_.isOwnMail(mail_->messageText());
    return finishMessageStep(MessageOutcome::Kind::SkippedAsImported,
                             currentDeletable_ ? "" : store_.keptSinceEarlier(currentUid_));
  }
  if (currentUid_.empty()) {
    currentUid_ = fallbackUniqueId(mail_->messageText());
    if (store_.wasImported(currentUid_)) return skipImported();
    // Imported by an intake of an earlier version, under its digest.
    if (currentUid_.starts_with("digest ")) {
      std::string earlier = earlierDigestId(mail_->messageText());
      if (store_.wasImported(earlier)) {
        currentUid_ = std::move(earlier);
        return skipImported();
      }
    }
  }
  const StoredMail stored = store_.store(mail_->messageText(), currentUid_);
  tell(stored);
  const StoreOutcome outcome = stored.outcome;
  if (outcome == StoreOutcome::Stored || outcome == StoreOutcome::StoredKept) ++stored_;
  if (outcome == StoreOutcome::Failed) ++failed_;
  currentDeletable_ = outcome == StoreOutcome::Stored;
  const std::string reason = currentDeletable_ ? "" : store_.whyKept(outcome);
  if (!currentDeletable_) keepOnServer(reason);
  finishMessageStep(kindOf(outcome), reason, stored.error);
}

// What the store showed of the message, in the order it showed it.
void MailIntakeSession::tell(const StoredMail& stored) {
  if (events.lineRead) {
    for (const std::string& line : stored.linesRead) events.lineRead(line);
  }
  if (stored.recordCount && events.recordCount) events.recordCount(*stored.recordCount);
  if (!stored.log.empty()) log(stored.log);
}

void MailIntakeSession::finishMessageStep(MessageOutcome::Kind kind, std::string keptBecause,
                                          std::string error) {
  messageIndex_ += 1;
  if (events.message) {
    events.message(
        {kind, messageIndex_, waiting_, currentUid_, std::move(keptBecause), std::move(error)});
  }
  handleCompletion();
}

// Any error ends the mailbox session, so the intake ends with it: what was
// stored so far stays, and the fetch button can start a new intake.
void MailIntakeSession::Mail1_AsyncError(int number, const std::string& description) {
  dialogs_.MsgBox("AsyncError: " + description + "(" +
                  numberText(static_cast<std::int64_t>(number)) + ")");
  if (mailState_ == MailState::Idle) return;
  Timer1.setEnabled(false);
  if (pendingStep_ != 0) loop_.cancel(pendingStep_);
  pendingStep_ = 0;
  busy_ = false;
  mailState_ = MailState::Idle;
  setFetching(false);
  log("The intake ended: " + description + "\r\n");
  finish({false, stored_, failed_, description, number});
}

void MailIntakeSession::Mail1_Progress(long done, long total) {
  if (events.bytes) events.bytes(done, total);
}

void MailIntakeSession::finish(IntakeResult result) {
  store_.close();
  lock_.reset();
  if (events.finished) events.finished(result);
}

}  // namespace vendaro
