#pragma once

#include <unistd.h>

#include <csignal>

namespace vendaro::testing {

// Ends the whole test process when it runs longer than its time allowance,
// so a web engine that hangs cannot stop a CI run.
struct GuiWatchdog {
  static void start(unsigned seconds) {
    std::signal(SIGALRM, [](int) {
      static const char message[] = "Watchdog: the test ran too long and was stopped.\n";
      [[maybe_unused]] const auto written = ::write(STDERR_FILENO, message, sizeof message - 1);
      ::_exit(124);
    });
    ::alarm(seconds);
  }
};

}  // namespace vendaro::testing
