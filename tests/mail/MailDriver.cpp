#include "tests/mail/MailDriver.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace vendaro::testing {

MailDriver::MailDriver(ManualEventLoop& loop, MailClient& client) : loop_(loop), client_(client) {
  client_.onComplete = [this](MailAction action) { completions.push_back(action); };
  client_.onError = [this](int number, const std::string& description) {
    errors.emplace_back(number, description);
  };
  client_.onProgress = [this](long done, long total) { progress.emplace_back(done, total); };
}

bool MailDriver::await() {
  const std::size_t completedBefore = completions.size();
  const std::size_t before = completedBefore + errors.size();
  // A safety net against a hang, far above any normal answer time.
  const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (completions.size() + errors.size() == before) {
    loop_.runPending();
    if (std::chrono::steady_clock::now() > limit) {
      ADD_FAILURE() << "the mail client never reported";
      return false;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  loop_.runPending();  // progress posted just before the end
  return completions.size() > completedBefore;
}

bool MailDriver::connect(const MailAccount& account) {
  client_.connect(account);
  return await();
}

bool MailDriver::count() {
  client_.countMessages();
  return await();
}

bool MailDriver::fetch(int number) {
  client_.fetchMessage(number);
  return await();
}

bool MailDriver::remove(int number) {
  client_.deleteMessage(number);
  return await();
}

bool MailDriver::uid(int number) {
  client_.uniqueId(number);
  return await();
}

bool MailDriver::disconnect() {
  client_.disconnect();
  return await();
}

}  // namespace vendaro::testing
