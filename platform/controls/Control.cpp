#include "platform/controls/Control.h"

#include <vector>

namespace vendaro {

void Control::setVisible(bool visible) {
  if (visible_ == visible) return;
  visible_ = visible;
  notifyChanged();
}

void Control::setEnabled(bool enabled) {
  if (enabled_ == enabled) return;
  enabled_ = enabled;
  notifyChanged();
}

Control::ListenerId Control::addListener(Listener listener) {
  ListenerId id = nextListenerId_++;
  listeners_.emplace(id, std::move(listener));
  return id;
}

void Control::removeListener(ListenerId id) {
  listeners_.erase(id);
}

void Control::notifyChanged() {
  // Copy first: a listener may add or remove listeners while it runs.
  std::vector<Listener> current;
  current.reserve(listeners_.size());
  for (const auto& entry : listeners_) current.push_back(entry.second);
  for (const auto& listener : current) listener();
}

}  // namespace vendaro
