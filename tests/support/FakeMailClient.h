#pragma once

#include <cstddef>
#include <set>
#include <string>
#include <vector>

#include "platform/EventLoop.h"
#include "platform/MailClient.h"

namespace vendaro::testing {

// One message of the fake mailbox.
struct FakeMail {
  std::string uid;
  std::string text;  // CR LF line ends, as a server hands them out
};

// A scripted POP3 mailbox that behaves like the real client: numbers fixed
// within a session, deletions committed at disconnect only, every error
// ending the session.
// Each action is recorded and completes through the event loop.
class FakeMailClient : public MailClient {
 public:
  explicit FakeMailClient(EventLoop& loop) : loop_(loop) {}

  void connect(const MailAccount& account) override;
  void countMessages() override;
  void fetchMessage(int number) override;
  void deleteMessage(int number) override;
  void uniqueId(int number) override;
  void disconnect() override;
  void abandon() override;

  int messageCount() const override { return messageCount_; }
  const std::string& messageText() const override { return messageText_; }
  const std::string& messageUniqueId() const override { return messageUniqueId_; }

  // The server's side; changes take effect at the next connect.
  std::vector<FakeMail> mailbox;
  // The password the server accepts; empty accepts any.
  std::string password;
  // The action with this 1-based index (in `actions()`) fails as if the
  // server had gone away; 0: never.
  std::size_t loseConnectionAt = 0;

  // Every action called, in order: "connect USER", "count", "fetch N",
  // "delete N", "uid N", "disconnect".
  const std::vector<std::string>& actions() const { return actions_; }

 private:
  bool startAction(const std::string& name);
  const FakeMail* mailAt(int number) const;
  void complete(MailAction action);
  void fail(int number, const std::string& description);
  void endSession(bool commit);

  EventLoop& loop_;
  std::vector<std::string> actions_;
  bool open_ = false;
  std::vector<FakeMail> session_;  // the mailbox as numbered at connect
  std::set<int> deleted_;
  int messageCount_ = 0;
  std::string messageText_;
  std::string messageUniqueId_;
};

}  // namespace vendaro::testing
