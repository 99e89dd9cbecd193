#include "platform/curl/CurlMailClient.h"

#include "platform/SerialWorker.h"

namespace vendaro {

// What one action produced, handed from the worker to the loop thread.
struct CurlMailClient::Outcome {
  MailAction action;
  Pop3Session::Result result;
  int count = 0;
  std::string text;
  std::string uid;
  int number = 0;  // the message read ahead
  std::map<int, std::string> uids;
  bool uidsMissing = false;
};

CurlMailClient::CurlMailClient(EventLoop& loop, MailTimeouts timeouts)
    : loop_(loop),
      session_(std::make_shared<Pop3Session>(timeouts)),
      alive_(std::make_shared<bool>(true)),
      worker_(std::make_unique<SerialWorker>()) {}

CurlMailClient::~CurlMailClient() {
  *alive_ = false;
  session_->abort();
  // The owner waits for this: a frozen server must not hold it for long.
  worker_->stop([session = session_] { session->abandon(); });
}

void CurlMailClient::newSession() {
  ++generation_;
  uids_.clear();
  uidsKnown_ = false;
  uidsMissing_ = false;
  aheadPending_ = 0;
  waitingFetch_ = 0;
  ahead_.reset();
}

void CurlMailClient::connect(const MailAccount& account) {
  newSession();
  run(MailAction::Connect, [account](Pop3Session& session, Outcome& outcome) {
    auto result = session.open(account, outcome.count);
    outcome.uids = session.uniqueIds();
    outcome.uidsMissing = !session.hasUniqueIds();
    return result;
  });
}

void CurlMailClient::countMessages() {
  if (reportFailedReadAhead()) return;
  run(MailAction::Count,
      [](Pop3Session& session, Outcome& outcome) { return session.stat(outcome.count); });
}

void CurlMailClient::fetchMessage(int number) {
  if (ahead_ && ahead_->number == number) {
    auto outcome = ahead_;
    ahead_.reset();
    outcome->action = MailAction::Fetch;
    loop_.post([this, alive = alive_, outcome, generation = generation_] {
      if (*alive) arrived(outcome, generation);
    });
    return;
  }
  if (reportFailedReadAhead()) return;
  if (aheadPending_ == number) {
    waitingFetch_ = number;
    return;
  }
  EventLoop* loop = &loop_;
  auto alive = alive_;
  auto progress = [this, loop, alive](long done, long total) {
    loop->post([this, alive, done, total] {
      if (*alive) reportProgress(done, total);
    });
  };
  run(MailAction::Fetch, [number, progress](Pop3Session& session, Outcome& outcome) {
    outcome.number = number;
    return session.retrieve(number, outcome.text, progress);
  });
}

// The worker reads the message after the one fetched while the loop stores
// that one; the text arrives on the loop thread and waits for its fetch.
void CurlMailClient::readAhead(int number) {
  aheadPending_ = number;
  EventLoop* loop = &loop_;
  worker_->add([this, loop, alive = alive_, session = session_, number, generation = generation_] {
    auto outcome = std::make_shared<Outcome>();
    outcome->action = MailAction::Fetch;
    outcome->number = number;
    if (session->hasMessage(number)) {
      outcome->result = session->retrieve(number, outcome->text, {});
    } else {
      outcome->number = 0;
    }
    loop->post([this, alive, outcome, generation] {
      if (!*alive || generation != generation_) return;
      const int pending = aheadPending_;
      aheadPending_ = 0;
      if (outcome->number == 0) {
        // Nothing was read (the session ended): a fetch waiting for it asks itself.
        if (waitingFetch_ == pending && pending != 0) {
          waitingFetch_ = 0;
          fetchMessage(pending);
        }
        return;
      }
      if (waitingFetch_ == outcome->number) {
        waitingFetch_ = 0;
        arrived(outcome, generation);
      } else {
        ahead_ = outcome;
      }
    });
  });
}

void CurlMailClient::arrived(std::shared_ptr<Outcome> outcome, int generation) {
  if (generation != generation_) return;
  if (outcome->result.ok) {
    const auto size = static_cast<long>(outcome->text.size());
    reportProgress(size, size);
    readAhead(outcome->number + 1);
  }
  report(*outcome);
}

// A read ahead that failed ended the session; the next action says why.
bool CurlMailClient::reportFailedReadAhead() {
  if (!ahead_ || ahead_->result.ok) return false;
  auto outcome = ahead_;
  ahead_.reset();
  loop_.post([this, alive = alive_, outcome] {
    if (*alive) report(*outcome);
  });
  return true;
}

void CurlMailClient::deleteMessage(int number) {
  if (reportFailedReadAhead()) return;
  uids_.erase(number);
  run(MailAction::Delete,
      [number](Pop3Session& session, Outcome&) { return session.remove(number); });
}

void CurlMailClient::uniqueId(int number) {
  if (reportFailedReadAhead()) return;
  const auto known = uids_.find(number);
  if (uidsKnown_ && (uidsMissing_ || known != uids_.end())) {
    auto outcome = std::make_shared<Outcome>();
    outcome->action = MailAction::UniqueId;
    if (!uidsMissing_) outcome->uid = known->second;
    loop_.post([this, alive = alive_, outcome] {
      if (*alive) report(*outcome);
    });
    return;
  }
  run(MailAction::UniqueId, [number](Pop3Session& session, Outcome& outcome) {
    return session.uniqueId(number, outcome.uid);
  });
}

void CurlMailClient::disconnect() {
  newSession();
  run(MailAction::Disconnect, [](Pop3Session& session, Outcome&) {
    session.close();
    return Pop3Session::Result{};
  });
}

void CurlMailClient::abandon() {
  newSession();
  run(MailAction::Disconnect, [](Pop3Session& session, Outcome&) {
    session.abandon();
    return Pop3Session::Result{};
  });
}

void CurlMailClient::run(MailAction action, Step step) {
  EventLoop* loop = &loop_;
  worker_->add(
      [this, loop, alive = alive_, session = session_, action, step, generation = generation_] {
        auto outcome = std::make_shared<Outcome>();
        outcome->action = action;
        outcome->result = step(*session, *outcome);
        loop->post([this, alive, outcome, generation] {
          if (!*alive) return;
          if (outcome->action == MailAction::Fetch) return arrived(outcome, generation);
          report(*outcome);
        });
      });
}

void CurlMailClient::report(const Outcome& outcome) {
  if (!outcome.result.ok) {
    // A copy: the handler may destroy this client.
    auto handler = onError;
    if (handler) handler(outcome.result.number, outcome.result.description);
    return;
  }
  switch (outcome.action) {
    case MailAction::Connect:
      uids_ = outcome.uids;
      uidsMissing_ = outcome.uidsMissing;
      uidsKnown_ = true;
      [[fallthrough]];
    case MailAction::Count:
      messageCount_ = outcome.count;
      break;
    case MailAction::Fetch:
      messageText_ = outcome.text;
      break;
    case MailAction::UniqueId:
      messageUniqueId_ = outcome.uid;
      break;
    default:
      break;
  }
  auto handler = onComplete;
  if (handler) handler(outcome.action);
}

void CurlMailClient::reportProgress(long done, long total) {
  auto handler = onProgress;
  if (handler) handler(done, total);
}

}  // namespace vendaro
