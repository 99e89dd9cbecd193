#pragma once

#include <cstddef>
#include <functional>
#include <string>

namespace vendaro {

// An internet transfer control: fetches one address as text in the
// background and reports state changes on the event-loop thread.
class Transfer {
 public:
  static constexpr int kStateError = 11;
  static constexpr int kStateResponseCompleted = 12;

  virtual ~Transfer() = default;

  // Starts fetching `address`; a transfer still running is cancelled first.
  virtual void Execute(const std::string& address) = 0;
  virtual bool StillExecuting() const = 0;
  virtual std::string URL() const = 0;
  // Takes up to `size` further bytes of the completed answer; empty at the end.
  virtual std::string GetChunk(std::size_t size) = 0;
  virtual void Cancel() = 0;
  // Keeps at most `bytes` of each answer, for a reader that looks at no more.
  virtual void setReadLimit(std::size_t /*bytes*/) {}
  // Why the last fetch ended in state 11 ("HTTP 404", "Connection refused",
  // ...); empty after an answer.
  virtual std::string ResponseInfo() const { return {}; }

  std::function<void(int state)> onStateChanged;
};

}  // namespace vendaro
