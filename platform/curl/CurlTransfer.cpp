#include "platform/curl/CurlTransfer.h"

#include <algorithm>

#include "platform/curl/HttpFetch.h"

namespace vendaro {
CurlTransfer::CurlTransfer(EventLoop& loop) : loop_(loop) {}

CurlTransfer::~CurlTransfer() {
  Cancel();
}

void CurlTransfer::Execute(const std::string& address) {
  Cancel();
  url_ = address;
  body_.clear();
  failure_.clear();
  readPosition_ = 0;
  running_ =
      std::make_unique<FetchThread>(loop_, [this, address, limit = readLimit_](HttpFetch& fetch) {
        auto result = std::make_shared<FetchResult>(fetch.run(address, limit));
        return [this, result] { finish(*result); };
      });
}

std::string CurlTransfer::GetChunk(std::size_t size) {
  const std::size_t start = std::min(readPosition_, body_.size());
  std::string chunk = body_.substr(start, size);
  readPosition_ = start + chunk.size();
  return chunk;
}

void CurlTransfer::Cancel() {
  if (running_) running_->abandon();
  running_.reset();
}

void CurlTransfer::finish(const FetchResult& result) {
  running_.reset();
  failure_ = failureOf(result);
  const bool answered = failure_.empty();
  if (answered) body_ = result.body;
  if (onStateChanged) onStateChanged(answered ? kStateResponseCompleted : kStateError);
}

}  // namespace vendaro
