#pragma once

#include <string>
#include <utility>
#include <vector>

#include "platform/MailClient.h"
#include "platform/ManualEventLoop.h"

namespace vendaro::testing {

// Records a mail client's events and runs the loop until each action has
// reported, so a test reads like a mailbox conversation.
class MailDriver {
 public:
  MailDriver(ManualEventLoop& loop, MailClient& client);

  // Waits for the next completion or error; true for a completion.
  bool await();
  // Shorthands that start an action and wait for it.
  bool connect(const MailAccount& account);
  bool count();
  bool fetch(int number);
  bool remove(int number);
  bool uid(int number);
  bool disconnect();

  MailClient& client() { return client_; }
  std::vector<MailAction> completions;
  std::vector<std::pair<int, std::string>> errors;
  std::vector<std::pair<long, long>> progress;

 private:
  ManualEventLoop& loop_;
  MailClient& client_;
};

}  // namespace vendaro::testing
