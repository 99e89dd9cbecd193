#pragma once

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "platform/MailClient.h"
#include "tests/support/LoopPump.h"
#include "tests/support/ManualEventLoop.h"

namespace vendaro::testing {

// Records a mail client's events and runs the loop until each action has
// reported, so a test reads like a mailbox conversation. The shorthands start
// an action and wait for it; true for a completion, false for an error.
class MailDriver {
 public:
  MailDriver(ManualEventLoop& loop, MailClient& client) : loop_(loop), client_(client) {
    client_.onComplete = [this](MailAction action) { completions.push_back(action); };
    client_.onError = [this](int number, const std::string& description) {
      errors.emplace_back(number, description);
    };
    client_.onProgress = [this](long done, long total) { progress.emplace_back(done, total); };
  }

  bool await() {
    const std::size_t completedBefore = completions.size();
    const std::size_t before = completedBefore + errors.size();
    if (!pumpUntil(loop_, [&] { return completions.size() + errors.size() > before; })) {
      ADD_FAILURE() << "the mail client never reported";
      return false;
    }
    loop_.runPending();  // progress posted just before the end
    return completions.size() > completedBefore;
  }

  bool connect(const MailAccount& account) { return run(&MailClient::connect, account); }
  bool count() { return run(&MailClient::countMessages); }
  bool fetch(int number) { return run(&MailClient::fetchMessage, number); }
  bool remove(int number) { return run(&MailClient::deleteMessage, number); }
  bool uid(int number) { return run(&MailClient::uniqueId, number); }
  bool disconnect() { return run(&MailClient::disconnect); }

  std::vector<MailAction> completions;
  std::vector<std::pair<int, std::string>> errors;
  std::vector<std::pair<long, long>> progress;

 private:
  template <typename... Parameters, typename... Arguments>
  bool run(void (MailClient::*action)(Parameters...), Arguments&&... arguments) {
    (client_.*action)(std::forward<Arguments>(arguments)...);
    return await();
  }

  ManualEventLoop& loop_;
  MailClient& client_;
};

}  // namespace vendaro::testing
