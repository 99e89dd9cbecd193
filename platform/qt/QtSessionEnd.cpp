#include "platform/qt/QtSessionEnd.h"

#include <fcntl.h>
#include <unistd.h>

#include <QGuiApplication>
#include <QSessionManager>
#include <QSocketNotifier>
#include <csignal>

namespace vendaro {
namespace {

constexpr int kSignals[] = {SIGTERM, SIGHUP, SIGINT};
int wakePipe[2] = {-1, -1};

extern "C" void onSignal(int) {
  const char byte = 1;
  // Nothing to do when the pipe is full: a wake-up is already waiting.
  [[maybe_unused]] const ssize_t written = ::write(wakePipe[1], &byte, 1);
}

}  // namespace

QtSessionEnd::QtSessionEnd(std::function<void()> onTerminate, std::function<void()> onSessionSave)
    : onTerminate_(std::move(onTerminate)), onSessionSave_(std::move(onSessionSave)) {
  if (::pipe2(wakePipe, O_CLOEXEC | O_NONBLOCK) == 0) {
    notifier_ = new QSocketNotifier(wakePipe[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &QtSessionEnd::signalled);
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int number : kSignals) ::sigaction(number, &action, nullptr);
  }
  if (auto* application = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
    connect(application, &QGuiApplication::commitDataRequest, this,
            [this](QSessionManager&) { onSessionSave_(); });
  }
}

QtSessionEnd::~QtSessionEnd() {
  if (notifier_ == nullptr) return;
  for (int number : kSignals) std::signal(number, SIG_DFL);
  delete notifier_;
  ::close(wakePipe[0]);
  ::close(wakePipe[1]);
  wakePipe[0] = wakePipe[1] = -1;
}

void QtSessionEnd::signalled() {
  char bytes[16];
  while (::read(wakePipe[0], bytes, sizeof bytes) > 0) {
  }
  onTerminate_();
}

}  // namespace vendaro
