#pragma once

#include <string>
#include <vector>

#include "platform/Transfer.h"

namespace vendaro::testing {

// A transfer that records what it was asked to fetch; the test finishes it.
class FakeTransfer : public Transfer {
 public:
  void Execute(const std::string& address) override;
  bool StillExecuting() const override { return executing; }
  std::string URL() const override { return url; }
  std::string GetChunk(std::size_t size) override;
  void Cancel() override;

  // Completes the running fetch with `body` (state 12).
  void complete(const std::string& body);
  // Fails the running fetch (state 11) for `why`.
  void fail(const std::string& why = "Connection refused");
  std::string ResponseInfo() const override { return failure; }

  std::vector<std::string> executed;
  int cancelCount = 0;
  bool executing = false;
  std::string url;
  std::string response;
  std::string failure;
  std::size_t readPosition = 0;
};

}  // namespace vendaro::testing
