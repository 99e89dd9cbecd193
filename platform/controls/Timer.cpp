#include "platform/controls/Timer.h"

namespace vendaro {

Timer::Timer(EventLoop& loop, int intervalMs, bool enabled)
    : loop_(loop), intervalMs_(intervalMs), enabled_(enabled) {
  restart();
}

Timer::~Timer() {
  if (armed_) loop_.cancel(pending_);
}

void Timer::setInterval(int ms) {
  intervalMs_ = ms;
  restart();
  notifyChanged();
}

void Timer::setEnabled(bool enabled) {
  enabled_ = enabled;
  restart();
  notifyChanged();
}

void Timer::restart() {
  if (armed_) loop_.cancel(pending_);
  armed_ = false;
  if (!enabled_ || intervalMs_ <= 0) return;
  armed_ = true;
  pending_ = loop_.postDelayed(intervalMs_, [this] { tick(); });
}

void Timer::tick() {
  armed_ = false;
  // Arm the next tick first, so a handler that disables the timer cancels it.
  restart();
  if (onTimer) onTimer();
}

}  // namespace vendaro
