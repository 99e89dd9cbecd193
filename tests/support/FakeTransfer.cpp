#include "tests/support/FakeTransfer.h"

namespace vendaro::testing {

void FakeTransfer::Execute(const std::string& address) {
  executed.push_back(address);
  url = address;
  executing = true;
  response.clear();
  readPosition = 0;
}

std::string FakeTransfer::GetChunk(std::size_t size) {
  std::string chunk = response.substr(std::min(readPosition, response.size()), size);
  readPosition += chunk.size();
  return chunk;
}

void FakeTransfer::Cancel() {
  ++cancelCount;
  executing = false;
}

void FakeTransfer::complete(const std::string& body) {
  response = body;
  readPosition = 0;
  executing = false;
  if (onStateChanged) onStateChanged(kStateResponseCompleted);
}

void FakeTransfer::fail(const std::string& why) {
  executing = false;
  failure = why;
  if (onStateChanged) onStateChanged(kStateError);
}

}  // namespace vendaro::testing
