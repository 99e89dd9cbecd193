#include "platform/UnavailableTransfer.h"

namespace vendaro {

void UnavailableTransfer::Execute(const std::string& address) {
  url_ = address;
  loop_.post([this] {
    if (onStateChanged) onStateChanged(kStateError);
  });
}

}  // namespace vendaro
