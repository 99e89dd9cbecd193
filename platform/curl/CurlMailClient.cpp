#include "platform/curl/CurlMailClient.h"

#include "platform/curl/SerialWorker.h"

namespace vendaro {

// What one action produced, handed from the worker to the loop thread.
struct CurlMailClient::Outcome {
  MailAction action;
  Pop3Session::Result result;
  int count = 0;
  std::string text;
  std::string uid;
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

void CurlMailClient::connect(const MailAccount& account) {
  run(MailAction::Connect, [account](Pop3Session& session, Outcome& outcome) {
    return session.open(account, outcome.count);
  });
}

void CurlMailClient::countMessages() {
  run(MailAction::Count,
      [](Pop3Session& session, Outcome& outcome) { return session.stat(outcome.count); });
}

void CurlMailClient::fetchMessage(int number) {
  EventLoop* loop = &loop_;
  auto alive = alive_;
  auto progress = [this, loop, alive](long done, long total) {
    loop->post([this, alive, done, total] {
      if (*alive) reportProgress(done, total);
    });
  };
  run(MailAction::Fetch, [number, progress](Pop3Session& session, Outcome& outcome) {
    auto result = session.retrieve(number, outcome.text, progress);
    if (result.ok) {
      const auto size = static_cast<long>(outcome.text.size());
      progress(size, size);
    }
    return result;
  });
}

void CurlMailClient::deleteMessage(int number) {
  run(MailAction::Delete,
      [number](Pop3Session& session, Outcome&) { return session.remove(number); });
}

void CurlMailClient::uniqueId(int number) {
  run(MailAction::UniqueId, [number](Pop3Session& session, Outcome& outcome) {
    return session.uniqueId(number, outcome.uid);
  });
}

void CurlMailClient::disconnect() {
  run(MailAction::Disconnect, [](Pop3Session& session, Outcome&) {
    session.close();
    return Pop3Session::Result{};
  });
}

void CurlMailClient::abandon() {
  run(MailAction::Disconnect, [](Pop3Session& session, Outcome&) {
    session.abandon();
    return Pop3Session::Result{};
  });
}

void CurlMailClient::run(MailAction action, Step step) {
  EventLoop* loop = &loop_;
  worker_->add([this, loop, alive = alive_, session = session_, action, step] {
    auto outcome = std::make_shared<Outcome>();
    outcome->action = action;
    outcome->result = step(*session, *outcome);
    loop->post([this, alive, outcome] {
      if (*alive) report(*outcome);
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
