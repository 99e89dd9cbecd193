#include "platform/curl/FetchThread.h"

#include <thread>
#include <utility>

#include "platform/curl/HttpFetch.h"

namespace vendaro {

// State shared by the owner, the worker thread and the posted completion.
// `wanted` is read and written on the loop thread only.
struct FetchThread::Shared {
  HttpFetch fetch;
  std::thread thread;
  bool wanted = true;

  void join() {
    if (!thread.joinable()) return;
    if (thread.get_id() == std::this_thread::get_id()) {
      thread.detach();  // the last owner let go on the worker itself
    } else {
      thread.join();
    }
  }

  ~Shared() { join(); }
};

FetchThread::FetchThread(EventLoop& loop, Work work) : shared_(std::make_shared<Shared>()) {
  Shared* shared = shared_.get();
  std::weak_ptr<Shared> weak = shared_;
  shared->thread = std::thread([&loop, weak, shared, work = std::move(work)] {
    Completion completion = work(shared->fetch);
    if (shared->fetch.cancelled()) return;
    // The owner joins before it lets go, so the state is alive here.
    std::shared_ptr<Shared> keep = weak.lock();
    loop.post([keep, completion = std::move(completion)] {
      if (!keep->wanted) return;
      keep->wanted = false;
      keep->join();
      if (completion) completion();
    });
  });
}

FetchThread::~FetchThread() {
  abandon();
}

void FetchThread::abandon() {
  shared_->wanted = false;
  shared_->fetch.cancel();
  shared_->join();
}

}  // namespace vendaro
