#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <map>
#include <mutex>
#include <utility>

#include "platform/EventLoop.h"

namespace vendaro {

// An event loop for headless commands: the thread that calls `run` executes
// posted tasks and due delayed tasks until `stop` is called. Other threads
// (network workers) may post at any time.
class BlockingEventLoop : public EventLoop {
 public:
  void post(Task task) override;
  TaskId postDelayed(int delayMs, Task task) override;
  void cancel(TaskId id) override;

  // Runs tasks until `stop`; returns at once when `stop` was already called.
  // May be called again after it returned.
  void run();
  // Makes `run` return after the task that is running now. Any thread.
  void stop();

 private:
  using Clock = std::chrono::steady_clock;

  std::mutex mutex_;
  std::condition_variable wake_;
  bool stopped_ = false;
  TaskId nextId_ = 1;
  // Ordered by due time, then by order of posting.
  std::map<std::pair<Clock::time_point, TaskId>, Task> tasks_;
};

}  // namespace vendaro
