#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

namespace vendaro {

// One thread that runs jobs one at a time, in the order they were added.
class SerialWorker {
 public:
  using Job = std::function<void()>;

  SerialWorker();
  // Stops as `stop` does, with no last job.
  ~SerialWorker();
  SerialWorker(const SerialWorker&) = delete;
  SerialWorker& operator=(const SerialWorker&) = delete;

  void add(Job job);
  // Drops the jobs not yet started, lets the running one end, runs `last`
  // (when given) and waits for the thread. Later calls do nothing.
  void stop(Job last);

 private:
  void run();

  std::mutex mutex_;
  std::condition_variable wake_;
  std::deque<Job> jobs_;
  bool stopping_ = false;
  std::thread thread_;
};

}  // namespace vendaro
