#pragma once

#include <chrono>
#include <string>

#include "platform/MailClient.h"
#include "platform/Outcome.h"

namespace vendaro {

// Waits for new mail between the intakes of a command that watches a
// mailbox. Its session is opened before an intake, so mail that arrives
// while the intake runs still ends the next wait. Calls block the caller.
class MailWaiter {
 public:
  enum class End { NewMail, TimeUp, Stopped };
  virtual ~MailWaiter() = default;

  // Starts watching. A refused login is BadInput (the settings must change);
  // a mailbox that cannot be reached is Network.
  virtual Done open(const MailAccount& account) = 0;
  // Waits up to `limit` for mail that arrived since `open` or the last wait.
  // A Network error ends the watching session; `open` starts another.
  virtual Outcome<End> wait(std::chrono::milliseconds limit) = 0;
  virtual void close() = 0;
  // Ends a running wait, and makes every later one end at once, with
  // Stopped. Any thread.
  virtual void stop() = 0;
};

}  // namespace vendaro
