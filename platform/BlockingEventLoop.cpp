#include "platform/BlockingEventLoop.h"

#include <chrono>
#include <exception>
#include <iostream>

namespace vendaro {
namespace {

// A task that throws is reported on standard error and the loop goes on, as
// a window goes on after a message box.
void runReportingErrors(const EventLoop::Task& task) {
  try {
    task();
  } catch (const std::exception& error) {
    std::cerr << "vendaro: error: " << error.what() << "\n";
  }
}

}  // namespace

void BlockingEventLoop::post(Task task) {
  {
    std::lock_guard lock(mutex_);
    tasks_.emplace(std::make_pair(Clock::time_point::min(), nextId_++), std::move(task));
  }
  wake_.notify_one();
}

EventLoop::TaskId BlockingEventLoop::postDelayed(int delayMs, Task task) {
  TaskId id = 0;
  {
    std::lock_guard lock(mutex_);
    id = nextId_++;
    const auto due = Clock::now() + std::chrono::milliseconds(delayMs < 0 ? 0 : delayMs);
    tasks_.emplace(std::make_pair(due, id), std::move(task));
  }
  wake_.notify_one();
  return id;
}

void BlockingEventLoop::cancel(TaskId id) {
  std::lock_guard lock(mutex_);
  for (auto it = tasks_.begin(); it != tasks_.end(); ++it) {
    if (it->first.second == id) {
      tasks_.erase(it);
      return;
    }
  }
}

void BlockingEventLoop::run() {
  std::unique_lock lock(mutex_);
  while (!stopped_) {
    if (tasks_.empty()) {
      wake_.wait(lock);
      continue;
    }
    const auto due = tasks_.begin()->first.first;
    if (due > Clock::now()) {
      wake_.wait_until(lock, due);
      continue;
    }
    Task task = std::move(tasks_.begin()->second);
    tasks_.erase(tasks_.begin());
    lock.unlock();
    runReportingErrors(task);
    lock.lock();
  }
  stopped_ = false;  // the loop may run again (a watching command runs it per intake)
}

void BlockingEventLoop::stop() {
  {
    std::lock_guard lock(mutex_);
    stopped_ = true;
  }
  wake_.notify_all();
}

}  // namespace vendaro
