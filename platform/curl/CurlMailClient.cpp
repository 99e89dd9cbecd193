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

// The message read ahead of the intake's request, or the failure of that read.
struct CurlMailClient::ReadAhead {
  int number = 0;  // 0: none
  Pop3Session::Result result;
  std::string text;
};

CurlMailClient::CurlMailClient(EventLoop& loop, MailTimeouts timeouts)
    : loop_(loop),
      session_(std::make_shared<Pop3Session>(timeouts)),
      readAhead_(std::make_shared<ReadAhead>()),
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
  auto ahead = readAhead_;
  run(
      MailAction::Fetch,
      [number, progress, ahead](Pop3Session& session, Outcome& outcome) {
        Pop3Session::Result result;
        if (ahead->number == number) {
          result = ahead->result;
          outcome.text = std::move(ahead->text);
          *ahead = {};
        } else {
          result = session.retrieve(number, outcome.text, progress);
        }
        if (result.ok) {
          const auto size = static_cast<long>(outcome.text.size());
          progress(size, size);
        }
        return result;
      },
      [number, ahead](Pop3Session& session) {
        if (!session.hasMessage(number + 1)) return;
        ahead->number = number + 1;
        ahead->result = session.retrieve(number + 1, ahead->text, {});
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

void CurlMailClient::run(MailAction action, Step step, std::function<void(Pop3Session&)> then) {
  EventLoop* loop = &loop_;
  worker_->add([this, loop, alive = alive_, session = session_, ahead = readAhead_, action, step,
                then] {
    auto outcome = std::make_shared<Outcome>();
    outcome->action = action;
    const bool fresh = action == MailAction::Connect || action == MailAction::Disconnect;
    // A read ahead that ended the session: the next action reports why.
    const bool failedAhead =
        !fresh && action != MailAction::Fetch && ahead->number != 0 && !ahead->result.ok;
    if (failedAhead) {
      outcome->result = ahead->result;
    } else {
      if (fresh) *ahead = {};
      outcome->result = step(*session, *outcome);
    }
    if (failedAhead) *ahead = {};
    loop->post([this, alive, outcome] {
      if (*alive) report(*outcome);
    });
    if (then && outcome->result.ok) then(*session);
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
