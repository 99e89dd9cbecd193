#pragma once

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/Transfer.h"

namespace vendaro {

// Hands out the main window's transfers by owner: a tool takes each transfer
// it needs under its own name ("public channel list", "keyword fetcher 1")
// and keeps it while the pool lives. A name taken twice is a programming
// error and throws std::logic_error at start-up.
class TransferPool {
 public:
  using Factory = std::function<std::unique_ptr<Transfer>()>;

  explicit TransferPool(Factory make) : make_(std::move(make)) {}
  TransferPool(const TransferPool&) = delete;
  TransferPool& operator=(const TransferPool&) = delete;

  Transfer& take(const std::string& owner);
  // The transfer taken under `owner`, or null.
  Transfer* find(const std::string& owner) const;

 private:
  Factory make_;
  std::vector<std::pair<std::string, std::unique_ptr<Transfer>>> taken_;
};

}  // namespace vendaro
