#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <thread>

namespace vendaro::testing {

// Ends the whole test process when it runs longer than its time allowance,
// so a web engine that hangs cannot stop a CI run. Lives for the process.
class GuiWatchdog {
 public:
  static void start(int seconds) { static GuiWatchdog watchdog(seconds); }

 private:
  explicit GuiWatchdog(int seconds)
      : thread_([this, seconds] {
          std::unique_lock lock(mutex_);
          if (!stopped_.wait_for(lock, std::chrono::seconds(seconds), [this] { return done_; })) {
            std::fprintf(stderr, "Watchdog: the test ran longer than %d s and was stopped.\n",
                         seconds);
            std::_Exit(124);
          }
        }) {}

  ~GuiWatchdog() {
    {
      std::lock_guard lock(mutex_);
      done_ = true;
    }
    stopped_.notify_one();
    thread_.join();
  }

  std::mutex mutex_;
  std::condition_variable stopped_;
  bool done_ = false;
  std::thread thread_;
};

}  // namespace vendaro::testing
