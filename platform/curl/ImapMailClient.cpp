#include "platform/curl/ImapMailClient.h"

#include "platform/SerialWorker.h"

namespace vendaro {

// What one action produced, handed from the worker to the loop thread.
struct ImapMailClient::Outcome {
  MailAction action = MailAction::Connect;
  ImapSession::Result result;
  std::vector<ImapSession::Listed> listed;
  ImapSession::MailboxState mailbox;
  std::map<std::uint32_t, std::string> texts;
  std::uint32_t wanted = 0;  // the UID the fetch was for
};

ImapMailClient::ImapMailClient(EventLoop& loop, std::string doneFolder, MailTimeouts timeouts)
    : loop_(loop),
      doneFolder_(std::move(doneFolder)),
      session_(std::make_shared<ImapSession>(timeouts)),
      alive_(std::make_shared<bool>(true)),
      worker_(std::make_unique<SerialWorker>()) {}

ImapMailClient::~ImapMailClient() {
  *alive_ = false;
  session_->abort();
  worker_->stop([session = session_] { session->abandon(); });
}

void ImapMailClient::forget() {
  listed_.clear();
  fetched_.clear();
  toMove_.clear();
}

void ImapMailClient::connect(const MailAccount& account) {
  forget();
  run(MailAction::Connect, [account](ImapSession& session, Outcome& outcome) {
    ImapSession::Result result = session.open(account, "INBOX");
    if (result.ok) result = session.list(outcome.listed);
    outcome.mailbox = session.mailbox();
    return result;
  });
}

void ImapMailClient::countMessages() {
  completeAtOnce(MailAction::Count);
}

void ImapMailClient::uniqueId(int number) {
  messageUniqueId_.clear();
  if (number >= 1 && number <= messageCount()) {
    messageUniqueId_ = "INBOX;UIDVALIDITY=" + std::to_string(uidValidity_) +
                       ";UID=" + std::to_string(listed_[number - 1].uid);
  }
  completeAtOnce(MailAction::UniqueId);
}

// The messages from `number` on that one fetch brings: at least one, at most
// kBatchMessages and, after the first, no more than kBatchBytes by listed size.
std::vector<std::uint32_t> ImapMailClient::batchFrom(int number) const {
  std::vector<std::uint32_t> uids;
  std::uint64_t bytes = 0;
  for (auto i = static_cast<std::size_t>(number - 1); i < listed_.size(); ++i) {
    bytes += listed_[i].size;
    if (!uids.empty() && (uids.size() == kBatchMessages || bytes > kBatchBytes)) break;
    uids.push_back(listed_[i].uid);
  }
  return uids;
}

void ImapMailClient::fetchMessage(int number) {
  if (number < 1 || number > messageCount()) {
    auto handler = onError;
    if (handler)
      handler(ImapSession::kUnreadableReply, "There is no message " + std::to_string(number));
    return;
  }
  const std::uint32_t uid = listed_[number - 1].uid;
  if (const auto found = fetched_.find(uid); found != fetched_.end()) {
    messageText_ = std::move(found->second);
    fetched_.erase(found);
    completeAtOnce(MailAction::Fetch);
    return;
  }
  fetched_.clear();
  const std::vector<std::uint32_t> batch = batchFrom(number);
  EventLoop* loop = &loop_;
  auto progress = [this, loop, alive = alive_](long done, long total) {
    loop->post([this, alive, done, total] {
      if (!*alive) return;
      auto handler = onProgress;
      if (handler) handler(done, total);
    });
  };
  run(MailAction::Fetch, [batch, uid, progress](ImapSession& session, Outcome& outcome) {
    outcome.wanted = uid;
    return session.fetch(batch, outcome.texts, progress);
  });
}

void ImapMailClient::deleteMessage(int number) {
  if (number >= 1 && number <= messageCount()) toMove_.push_back(listed_[number - 1].uid);
  completeAtOnce(MailAction::Delete);
}

void ImapMailClient::disconnect() {
  std::vector<std::uint32_t> uids = std::move(toMove_);
  forget();
  run(MailAction::Disconnect,
      [uids = std::move(uids), folder = doneFolder_](ImapSession& session, Outcome&) {
        ImapSession::Result result = session.move(uids, folder);
        session.close();
        return result;
      });
}

void ImapMailClient::abandon() {
  forget();
  run(MailAction::Disconnect, [](ImapSession& session, Outcome&) {
    session.abandon();
    return ImapSession::Result{};
  });
}

void ImapMailClient::completeAtOnce(MailAction action) {
  loop_.post([this, alive = alive_, action] {
    if (!*alive) return;
    auto handler = onComplete;
    if (handler) handler(action);
  });
}

void ImapMailClient::run(MailAction action, Step step) {
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

void ImapMailClient::report(Outcome& outcome) {
  if (!outcome.result.ok) {
    forget();
    auto handler = onError;  // a copy: the handler may destroy this client
    if (handler) handler(outcome.result.number, outcome.result.description);
    return;
  }
  if (outcome.action == MailAction::Connect) {
    listed_ = outcome.listed;
    uidValidity_ = outcome.mailbox.uidValidity;
    uidNext_ = outcome.mailbox.uidNext;
  }
  if (outcome.action == MailAction::Fetch) {
    fetched_ = std::move(outcome.texts);
    const auto found = fetched_.find(outcome.wanted);
    if (found == fetched_.end()) {
      auto handler = onError;
      if (handler) {
        handler(ImapSession::kUnreadableReply,
                "The server did not send the message with UID " + std::to_string(outcome.wanted));
      }
      return;
    }
    messageText_ = std::move(found->second);
    fetched_.erase(found);
  }
  auto handler = onComplete;
  if (handler) handler(outcome.action);
}

}  // namespace vendaro
