#pragma once

#include <cstdint>
#include <map>
#include <mutex>
#include <utility>

#include "platform/EventLoop.h"

namespace vendaro {

// An event loop whose clock moves only when a test says so: a 30-second
// watchdog is tested in microseconds.
class ManualEventLoop : public EventLoop {
 public:
  void post(Task task) override;
  TaskId postDelayed(int delayMs, Task task) override;
  void cancel(TaskId id) override;

  // Runs every task that is due now, including tasks those tasks post.
  void runPending();
  // Moves the clock forward by `ms`, running each task at its due time in order.
  void advance(std::int64_t ms);

  std::int64_t now() const { return nowMs_; }
  std::size_t pendingCount() const;

 private:
  bool runNextDueBy(std::int64_t limit);

  mutable std::mutex mutex_;
  std::int64_t nowMs_ = 0;
  TaskId nextId_ = 1;
  // Ordered by due time, then by order of posting.
  std::map<std::pair<std::int64_t, TaskId>, Task> tasks_;
};

}  // namespace vendaro
