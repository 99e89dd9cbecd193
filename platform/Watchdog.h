#pragma once

#include <functional>
#include <utility>

#include "platform/EventLoop.h"

namespace vendaro {

// A countdown that runs `expired` once, `delayMs` after it was last armed,
// unless it is disarmed first. Services use it to give up a load or a fetch
// that never answers.
class Watchdog {
 public:
  Watchdog(EventLoop& loop, int delayMs, std::function<void()> expired)
      : loop_(loop), delayMs_(delayMs), expired_(std::move(expired)) {}
  ~Watchdog() { disarm(); }
  Watchdog(const Watchdog&) = delete;
  Watchdog& operator=(const Watchdog&) = delete;

  // Starts the countdown again from the full delay.
  void arm() {
    disarm();
    armed_ = true;
    pending_ = loop_.postDelayed(delayMs_, [this] {
      armed_ = false;
      expired_();
    });
  }
  void disarm() {
    if (armed_) loop_.cancel(pending_);
    armed_ = false;
  }
  bool armed() const { return armed_; }

 private:
  EventLoop& loop_;
  int delayMs_;
  std::function<void()> expired_;
  bool armed_ = false;
  EventLoop::TaskId pending_ = 0;
};

}  // namespace vendaro
