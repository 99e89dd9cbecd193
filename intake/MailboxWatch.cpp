#include "intake/MailboxWatch.h"

#include <pthread.h>
#include <signal.h>

#include <algorithm>

namespace vendaro {
namespace {

using namespace std::chrono_literals;

sigset_t stopSignals() {
  sigset_t signals;
  sigemptyset(&signals);
  sigaddset(&signals, SIGINT);
  sigaddset(&signals, SIGTERM);
  return signals;
}

constexpr timespec kSignalPoll{0, 200'000'000};
constexpr std::chrono::seconds kFirstBackOff{1};

}  // namespace

StopOnSignals::StopOnSignals(std::function<void()> onStop) : onStop_(std::move(onStop)) {
  const sigset_t signals = stopSignals();
  pthread_sigmask(SIG_BLOCK, &signals, nullptr);
  thread_ = std::thread([this, signals] {
    while (!ending_ && !requested_) {
      if (sigtimedwait(&signals, nullptr, &kSignalPoll) > 0) request();
    }
  });
}

StopOnSignals::~StopOnSignals() {
  ending_ = true;
  thread_.join();
  const sigset_t signals = stopSignals();
  pthread_sigmask(SIG_UNBLOCK, &signals, nullptr);
}

void StopOnSignals::request() {
  if (requested_.exchange(true)) return;
  if (onStop_) onStop_();
}

int watchMailbox(const MailboxWatchRounds& rounds, MailWaiter& waiter, const StopOnSignals& stop,
                 std::ostream& log, std::ostream& err, const std::string& prefix) {
  std::chrono::seconds backOff = kFirstBackOff;
  bool watching = false;
  const auto tryAgainLater = [&](const std::string& what) {
    log << what << "; trying again in " << backOff.count() << " s\n" << std::flush;
    rounds.pause(backOff);
    backOff = std::min(backOff * 2, kLongestBackOff);
  };
  while (!stop.requested()) {
    const std::optional<MailAccount> account = rounds.account();
    if (!account) return 2;
    if (!watching) {
      const Done opened = waiter.open(*account);
      if (!opened && opened.error().kind == ErrorKind::BadInput) {
        err << prefix << opened.error().message << "\n";
        return 2;
      }
      if (!opened) {
        if (stop.requested()) break;
        tryAgainLater("The mailbox cannot be watched: " + opened.error().message);
        continue;
      }
    }
    watching = true;
    const IntakeResult result = rounds.takeMail(*account);
    if (!result.completed && result.errorNumber == kMailLoginRefused) {
      err << prefix << result.error << "\n";
      return 2;
    }
    if (!result.completed) {
      waiter.close();
      watching = false;
      if (stop.requested()) break;
      tryAgainLater("The intake broke off: " + result.error);
      continue;
    }
    backOff = kFirstBackOff;
    if (stop.requested()) break;
    log << "Waiting for new mail.\n" << std::flush;
    if (const Outcome<MailWaiter::End> waited = waiter.wait(kLongestWait); !waited) {
      watching = false;
      if (stop.requested()) break;
      tryAgainLater("The connection was lost: " + waited.error().message);
    }
  }
  waiter.close();
  log << "Stopped watching the mailbox.\n" << std::flush;
  return 0;
}

}  // namespace vendaro
