#include "platform/curl/ImapMailWaiter.h"

#include <algorithm>
#include <thread>

namespace vendaro {

ImapMailWaiter::ImapMailWaiter(std::chrono::milliseconds pollInterval, MailTimeouts timeouts)
    : pollInterval_(pollInterval), session_(timeouts) {}

bool ImapMailWaiter::open(const MailAccount& account, std::string& error, int& errorNumber) {
  const ImapSession::Result result = session_.open(account, "INBOX");
  open_ = result.ok;
  if (!result.ok) {
    error = result.description;
    errorNumber = result.number;
  }
  return result.ok;
}

MailWaiter::End ImapMailWaiter::wait(std::chrono::milliseconds limit, std::string& error) {
  ImapSession::WaitEnd end = ImapSession::WaitEnd::TimeUp;
  const ImapSession::Result result = session_.waitForMail(limit, pollInterval_, end);
  if (!result.ok) {
    open_ = false;
    error = result.description;
    return End::Failed;
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

MailWaiter::End PollingMailWaiter::wait(std::chrono::milliseconds limit, std::string&) {
  const auto until = std::chrono::steady_clock::now() + std::min(limit, interval_);
  while (!stopped_ && std::chrono::steady_clock::now() < until) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return stopped_ ? End::Stopped : End::TimeUp;
}

}  // namespace vendaro
