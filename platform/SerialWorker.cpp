#include "platform/SerialWorker.h"

namespace vendaro {

SerialWorker::SerialWorker() : thread_([this] { run(); }) {}

SerialWorker::~SerialWorker() {
  stop(nullptr);
}

void SerialWorker::add(Job job) {
  {
    std::lock_guard lock(mutex_);
    if (stopping_) return;
    jobs_.push_back(std::move(job));
  }
  wake_.notify_one();
}

void SerialWorker::stop(Job last) {
  {
    std::lock_guard lock(mutex_);
    if (stopping_) return;
    stopping_ = true;
    jobs_.clear();
    if (last) jobs_.push_back(std::move(last));
  }
  wake_.notify_one();
  if (thread_.joinable()) thread_.join();
}

void SerialWorker::run() {
  for (;;) {
    Job job;
    {
      std::unique_lock lock(mutex_);
      wake_.wait(lock, [this] { return stopping_ || !jobs_.empty(); });
      if (jobs_.empty()) return;
      job = std::move(jobs_.front());
      jobs_.pop_front();
    }
    job();
  }
}

}  // namespace vendaro
