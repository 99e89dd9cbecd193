#pragma once

#include <cstddef>
#include <memory>
#include <string>

#include "platform/EventLoop.h"
#include "platform/Transfer.h"
#include "platform/curl/FetchThread.h"
#include "platform/curl/HttpFetch.h"

namespace vendaro {

// The internet transfer control over libcurl. Each fetch runs on a worker
// thread; its end is posted to the event loop, where `StillExecuting` turns
// false just before `onStateChanged` is called. An answer with an HTTP status
// below 400 ends in state 12 and its body is kept for `GetChunk`; a failed
// connection, a refused address and an answer of 400 or more end in state 11
// with no body, so an error page is never read as the page asked for.
class CurlTransfer : public Transfer {
 public:
  explicit CurlTransfer(EventLoop& loop);
  ~CurlTransfer() override;

  void Execute(const std::string& address) override;
  bool StillExecuting() const override { return running_ != nullptr; }
  std::string URL() const override { return url_; }
  std::string GetChunk(std::size_t size) override;
  void Cancel() override;
  void setReadLimit(std::size_t bytes) override { readLimit_ = bytes; }
  std::string ResponseInfo() const override { return failure_; }

 private:
  void finish(const FetchResult& result);

  EventLoop& loop_;
  std::unique_ptr<FetchThread> running_;
  std::string url_;
  std::string body_;
  std::string failure_;
  std::size_t readPosition_ = 0;
  std::size_t readLimit_ = HttpFetch::kMaxBodyBytes;
};

}  // namespace vendaro
