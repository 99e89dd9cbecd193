#pragma once

#include <functional>

#include "platform/controls/Control.h"
#include "platform/EventLoop.h"

namespace vendaro {

// A timer control: while Enabled and Interval > 0 it raises `onTimer` every
// Interval milliseconds. Setting Interval or Enabled restarts the countdown.
class Timer : public Control {
 public:
  explicit Timer(EventLoop& loop, int intervalMs = 0, bool enabled = true);
  ~Timer() override;

  int Interval() const { return intervalMs_; }
  void setInterval(int ms);
  bool Enabled() const { return enabled_; }
  void setEnabled(bool enabled);

  std::function<void()> onTimer;

 private:
  void restart();
  void tick();

  EventLoop& loop_;
  int intervalMs_;
  bool enabled_;
  bool armed_ = false;
  EventLoop::TaskId pending_ = 0;
};

}  // namespace vendaro
