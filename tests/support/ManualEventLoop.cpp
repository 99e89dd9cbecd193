#include "tests/support/ManualEventLoop.h"

#include <algorithm>

namespace vendaro {

void ManualEventLoop::post(Task task) {
  std::lock_guard lock(mutex_);
  tasks_.emplace(std::make_pair(nowMs_, nextId_++), std::move(task));
}

EventLoop::TaskId ManualEventLoop::postDelayed(int delayMs, Task task) {
  std::lock_guard lock(mutex_);
  TaskId id = nextId_++;
  tasks_.emplace(std::make_pair(nowMs_ + std::max(delayMs, 0), id), std::move(task));
  return id;
}

void ManualEventLoop::cancel(TaskId id) {
  std::lock_guard lock(mutex_);
  for (auto it = tasks_.begin(); it != tasks_.end(); ++it) {
    if (it->first.second == id) {
      tasks_.erase(it);
      return;
    }
  }
}

std::size_t ManualEventLoop::pendingCount() const {
  std::lock_guard lock(mutex_);
  return tasks_.size();
}

bool ManualEventLoop::runNextDueBy(std::int64_t limit) {
  Task task;
  {
    std::lock_guard lock(mutex_);
    if (tasks_.empty() || tasks_.begin()->first.first > limit) return false;
    auto first = tasks_.begin();
    nowMs_ = std::max(nowMs_, first->first.first);
    task = std::move(first->second);
    tasks_.erase(first);
  }
  task();
  return true;
}

void ManualEventLoop::runPending() {
  while (runNextDueBy(nowMs_)) {
  }
}

void ManualEventLoop::advance(std::int64_t ms) {
  const std::int64_t target = nowMs_ + ms;
  while (runNextDueBy(target)) {
  }
  std::lock_guard lock(mutex_);
  nowMs_ = target;
}

}  // namespace vendaro
