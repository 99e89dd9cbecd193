#pragma once

#include <memory>

#include "platform/MailWaiter.h"
#include "platform/curl/ImapSession.h"

namespace vendaro {

// Waits for new mail in an IMAP inbox on a session of its own: IDLE where the
// server offers it, else NOOP every `pollInterval`.
class ImapMailWaiter : public MailWaiter {
 public:
  explicit ImapMailWaiter(std::chrono::milliseconds pollInterval, MailTimeouts timeouts = {});

  Done open(const MailAccount& account) override;
  Outcome<End> wait(std::chrono::milliseconds limit) override;
  void close() override;
  void stop() override { session_.stopWaiting(); }

 private:
  std::chrono::milliseconds pollInterval_;
  ImapSession session_;
  bool open_ = false;
};

// POP3 has no way to wait for mail: the wait is a pause of `interval`.
class PollingMailWaiter : public MailWaiter {
 public:
  explicit PollingMailWaiter(std::chrono::milliseconds interval) : interval_(interval) {}

  Done open(const MailAccount&) override { return {}; }
  Outcome<End> wait(std::chrono::milliseconds limit) override;
  void close() override {}
  void stop() override { stopped_ = true; }

 private:
  std::chrono::milliseconds interval_;
  std::atomic<bool> stopped_{false};
};

}  // namespace vendaro
