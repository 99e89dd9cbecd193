#pragma once

#include <cstdint>
#include <functional>

namespace vendaro {

// The one thread on which all window-model code runs. Work from other threads
// (network completions) reaches the models only through `post`.
class EventLoop {
 public:
  using Task = std::function<void()>;
  using TaskId = std::uint64_t;

  virtual ~EventLoop() = default;

  // Runs `task` on the event-loop thread as soon as possible, after the tasks
  // posted before it. Safe to call from any thread.
  virtual void post(Task task) = 0;
  // Runs `task` once, `delayMs` milliseconds from now; returns an id for
  // `cancel`. Called on the event-loop thread only.
  virtual TaskId postDelayed(int delayMs, Task task) = 0;
  // Forgets a delayed task that has not run yet; unknown ids are ignored.
  virtual void cancel(TaskId id) = 0;
};

}  // namespace vendaro
