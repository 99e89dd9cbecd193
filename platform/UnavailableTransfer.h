#pragma once

#include <string>

#include "platform/EventLoop.h"
#include "platform/Transfer.h"

namespace vendaro {

// A transfer for builds without network access: every fetch ends at once in
// the error state, so the lists it would fill stay empty.
class UnavailableTransfer : public Transfer {
 public:
  explicit UnavailableTransfer(EventLoop& loop) : loop_(loop) {}

  void Execute(const std::string& address) override;
  bool StillExecuting() const override { return false; }
  std::string URL() const override { return url_; }
  std::string GetChunk(std::size_t /*size*/) override { return {}; }
  void Cancel() override {}

 private:
  EventLoop& loop_;
  std::string url_;
};

}  // namespace vendaro
