#pragma once

#include <cstddef>
#include <functional>
#include <map>

namespace vendaro {

// Base of every control model: visibility, enabled state and change
// notification, so a view can redraw when the window model changes a control.
class Control {
 public:
  using Listener = std::function<void()>;
  using ListenerId = std::size_t;

  Control() = default;
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;
  virtual ~Control() = default;

  bool Visible() const { return visible_; }
  void setVisible(bool visible);
  bool Enabled() const { return enabled_; }
  void setEnabled(bool enabled);

  ListenerId addListener(Listener listener);
  void removeListener(ListenerId id);

 protected:
  void notifyChanged();

 private:
  bool visible_ = true;
  bool enabled_ = true;
  ListenerId nextListenerId_ = 1;
  std::map<ListenerId, Listener> listeners_;
};

}  // namespace vendaro
