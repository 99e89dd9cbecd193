#pragma once

#include <atomic>
#include <chrono>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <thread>

#include "intake/MailIntakeSession.h"
#include "platform/MailClient.h"
#include "platform/MailWaiter.h"

namespace vendaro {

// Turns SIGINT and SIGTERM into a clean stop while it lives: the signals are
// blocked in this thread and every thread started after it, and a thread of
// its own waits for them and calls `onStop` once (on that thread).
class StopOnSignals {
 public:
  explicit StopOnSignals(std::function<void()> onStop);
  ~StopOnSignals();
  StopOnSignals(const StopOnSignals&) = delete;
  StopOnSignals& operator=(const StopOnSignals&) = delete;

  bool requested() const { return requested_; }
  // What a signal does, for tests and for a stop from the program itself.
  void request();

 private:
  std::function<void()> onStop_;
  std::atomic<bool> requested_{false};
  std::atomic<bool> ending_{false};
  std::thread thread_;
};

// What a watching command does in each round.
struct MailboxWatchRounds {
  // The account for the next connection (with a fresh OAuth2 token); nothing
  // when it cannot be had, which ends the watch (the reason is printed).
  std::function<std::optional<MailAccount>()> account;
  // One intake from the mailbox, to its end.
  std::function<IntakeResult(const MailAccount& account)> takeMail;
  // A pause that ends early on a stop.
  std::function<void(std::chrono::milliseconds)> pause;
};

// How long one wait for mail lasts before the watch checks again (IMAP
// servers end an IDLE after 30 minutes), and the longest pause between
// attempts after a dropped connection.
inline constexpr std::chrono::minutes kLongestWait{25};
inline constexpr std::chrono::seconds kLongestBackOff{300};

// Keeps a mailbox watched: an intake, then a wait for new mail, and again,
// until `stop` is requested. A connection that fails or drops is tried
// again after 1, 2, 4 ... up to kLongestBackOff seconds; a refused login or
// token ends the watch. Returns 0 after a stop, 2 when the watch ended on
// an error; `log` tells what happens, `prefix` starts its error lines.
int watchMailbox(const MailboxWatchRounds& rounds, MailWaiter& waiter, const StopOnSignals& stop,
                 std::ostream& log, std::ostream& err, const std::string& prefix);

}  // namespace vendaro
