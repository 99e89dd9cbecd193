#include "common/ports/TransferPool.h"

#include <stdexcept>

namespace vendaro {

Transfer& TransferPool::take(const std::string& owner) {
  if (find(owner) != nullptr) throw std::logic_error("transfer taken twice: " + owner);
  taken_.emplace_back(owner, make_());
  return *taken_.back().second;
}

Transfer* TransferPool::find(const std::string& owner) const {
  for (const auto& [name, transfer] : taken_) {
    if (name == owner) return transfer.get();
  }
  return nullptr;
}

}  // namespace vendaro
