#pragma once

#include <chrono>
#include <string>

#include "platform/MailClient.h"

namespace vendaro {

// Waits for new mail between the intakes of a command that watches a
// mailbox. Its session is opened before an intake, so mail that arrives
// while the intake runs still ends the next wait. Calls block the caller.
class MailWaiter {
 public:
  enum class End { NewMail, TimeUp, Stopped, Failed };
  virtual ~MailWaiter() = default;

  // Starts watching; false with `error` and its number (kMailLoginRefused,
  // ...) when the mailbox cannot be reached.
  virtual bool open(const MailAccount& account, std::string& error, int& errorNumber) = 0;
  // Waits up to `limit` for mail that arrived since `open` or the last wait.
  // Failed (with `error`) ends the watching session; `open` starts another.
  virtual End wait(std::chrono::milliseconds limit, std::string& error) = 0;
  virtual void close() = 0;
  // Ends a running wait, and makes every later one end at once, with
  // Stopped. Any thread.
  virtual void stop() = 0;
};

}  // namespace vendaro
