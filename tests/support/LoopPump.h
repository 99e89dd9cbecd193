#pragma once

#include <chrono>
#include <functional>
#include <thread>

#include "tests/support/ManualEventLoop.h"

namespace vendaro::testing {

// Runs the loop's tasks (if any loop) on this thread until `done` holds; gives
// up after a generous bound so a lost completion fails the test instead of
// hanging it. Without a loop it waits for work on other threads.
inline bool pumpUntil(ManualEventLoop* loop, const std::function<bool()>& done) {
  const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (std::chrono::steady_clock::now() < giveUp) {
    if (loop) loop->runPending();
    if (done()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return false;
}

inline bool pumpUntil(ManualEventLoop& loop, const std::function<bool()>& done) {
  return pumpUntil(&loop, done);
}

inline bool waitUntil(const std::function<bool()>& done) {
  return pumpUntil(nullptr, done);
}

}  // namespace vendaro::testing
