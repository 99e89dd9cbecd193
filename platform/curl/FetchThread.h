#pragma once

#include <functional>
#include <memory>

#include "platform/EventLoop.h"

namespace vendaro {

class HttpFetch;

// Runs one piece of network work on a thread of its own and hands its result
// to the event loop. The work gets an `HttpFetch` to fetch with and returns the
// completion to run on the loop thread; the completion runs only if the
// thread has not been abandoned by then. Owned and used on the loop thread.
class FetchThread {
 public:
  using Completion = std::function<void()>;
  using Work = std::function<Completion(HttpFetch& fetch)>;

  FetchThread(EventLoop& loop, Work work);
  // Abandons the work (see `abandon`).
  ~FetchThread();
  FetchThread(const FetchThread&) = delete;
  FetchThread& operator=(const FetchThread&) = delete;

  // Cancels the running fetch and waits for the thread to end; the
  // completion will not run. Safe to call more than once.
  void abandon();

 private:
  struct Shared;
  std::shared_ptr<Shared> shared_;
};

}  // namespace vendaro
