#include "platform/curl/ImapMailWaiter.h"

#include <algorithm>
#include <thread>

namespace vendaro {

ImapMailWaiter::ImapMailWaiter(std::chrono::milliseconds pollInterval, MailTimeouts timeouts)
    : pollInterval_(pollInterval), session_(timeouts) {}

Done ImapMailWaiter::open(const MailAccount& account) {
  const ImapSession::Result result = session_.open(account, "INBOX");
  open_ = result.ok;
  if (result.ok) return {};
  return failure(result.number == kMailLoginRefused ? ErrorKind::BadInput : ErrorKind::Network,
                 result.description);
}

Outcome<MailWaiter::End> ImapMailWaiter::wait(std::chrono::milliseconds limit) {
  ImapSession::WaitEnd end = ImapSession::WaitEnd::TimeUp;
  const ImapSession::Result result = session_.waitForMail(limit, pollInterval_, end);
  if (!result.ok) {
    open_ = false;
    return failure(ErrorKind::Network, result.description);
  }
  switch (end) {
    case ImapSession::WaitEnd::NewMail:
      return End::NewMail;
    case ImapSession::WaitEnd::Stopped:
      return End::Stopped;
    case ImapSession::WaitEnd::TimeUp:
      break;
  }
  return End::TimeUp;
}

void ImapMailWaiter::close() {
  if (open_) session_.close();
  open_ = false;
}

Outcome<MailWaiter::End> PollingMailWaiter::wait(std::chrono::milliseconds limit) {
  const auto until = std::chrono::steady_clock::now() + std::min(limit, interval_);
  while (!stopped_ && std::chrono::steady_clock::now() < until) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return stopped_ ? End::Stopped : End::TimeUp;
}

}  // namespace vendaro
