#include "tests/support/FakeMailClient.h"

namespace vendaro::testing {
namespace {

constexpr int kNotConnected = 1001;
constexpr int kServerError = 8;  // libcurl's number for a -ERR reply
constexpr int kConnectionLost = 56;

}  // namespace

void FakeMailClient::connect(const MailAccount& account) {
  if (open_) endSession(true);
  if (!startAction("connect " + account.user)) return;
  if (!password.empty() && account.password != password) {
    fail(67, "Login failed for user " + account.user);
    return;
  }
  open_ = true;
  session_ = mailbox;
  deleted_.clear();
  messageCount_ = static_cast<int>(session_.size());
  complete(MailAction::Connect);
}

void FakeMailClient::countMessages() {
  if (!startAction("count")) return;
  messageCount_ = static_cast<int>(session_.size() - deleted_.size());
  complete(MailAction::Count);
}

void FakeMailClient::fetchMessage(int number) {
  if (!startAction("fetch " + std::to_string(number))) return;
  const FakeMail* mail = mailAt(number);
  if (!mail) return fail(kServerError, "The server refused the command (server: -ERR)");
  messageText_ = mail->text;
  const long size = static_cast<long>(mail->text.size());
  loop_.post([this, size] {
    if (onProgress) onProgress(size, size);
  });
  complete(MailAction::Fetch);
}

void FakeMailClient::deleteMessage(int number) {
  if (!startAction("delete " + std::to_string(number))) return;
  if (!mailAt(number)) return fail(kServerError, "The server refused the command (server: -ERR)");
  deleted_.insert(number);
  complete(MailAction::Delete);
}

void FakeMailClient::uniqueId(int number) {
  if (!startAction("uid " + std::to_string(number))) return;
  const FakeMail* mail = mailAt(number);
  if (!mail) return fail(kServerError, "The server refused the command (server: -ERR)");
  messageUniqueId_ = mail->uid;
  complete(MailAction::UniqueId);
}

void FakeMailClient::disconnect() {
  actions_.push_back("disconnect");
  endSession(true);
  complete(MailAction::Disconnect);
}

void FakeMailClient::abandon() {
  actions_.push_back("abandon");
  endSession(false);
  complete(MailAction::Disconnect);
}

bool FakeMailClient::startAction(const std::string& name) {
  actions_.push_back(name);
  if (loseConnectionAt == actions_.size()) {
    // A server that went away commits nothing.
    endSession(false);
    fail(kConnectionLost, "The server closed the connection");
    return false;
  }
  if (!open_ && name.rfind("connect", 0) != 0) {
    fail(kNotConnected, "Not connected to the mailbox");
    return false;
  }
  return true;
}

const FakeMail* FakeMailClient::mailAt(int number) const {
  if (number < 1 || number > static_cast<int>(session_.size()) || deleted_.count(number)) {
    return nullptr;
  }
  return &session_[number - 1];
}

void FakeMailClient::complete(MailAction action) {
  loop_.post([this, action] {
    if (onComplete) onComplete(action);
  });
}

void FakeMailClient::fail(int number, const std::string& description) {
  // As with libcurl, a refused command ends the session without QUIT.
  if (open_) endSession(false);
  loop_.post([this, number, description] {
    if (onError) onError(number, description);
  });
}

void FakeMailClient::endSession(bool commit) {
  if (open_ && commit) {
    for (const int number : deleted_) {
      const std::string& uid = session_[number - 1].uid;
      std::erase_if(mailbox, [&](const FakeMail& mail) { return mail.uid == uid; });
    }
  }
  open_ = false;
  session_.clear();
  deleted_.clear();
}

}  // namespace vendaro::testing
