#pragma once

#include <memory>
#include <utility>
#include <vector>

namespace vendaro {

// Keeps `object` alive, undestroyed, until the process ends, when the
// system takes back its memory at once: for a command that ends the
// process, a structure of a few hundred thousand small allocations is not
// worth freeing one by one. The holder is never destroyed either, so what
// it keeps is still reachable, not leaked.
template <class T>
void keepUntilExit(std::unique_ptr<T> object) {
  static auto* const kept = new std::vector<std::shared_ptr<void>>();
  kept->push_back(std::shared_ptr<T>(std::move(object)));
}

}  // namespace vendaro
