#include "platform/ToolWindows.h"

#include <utility>

namespace vendaro {

void ToolWindows::add(const std::string& formName, Window window) {
  windows_[formName] = Entry{std::move(window), false};
}

void ToolWindows::show(const std::string& formName) {
  const auto found = windows_.find(formName);
  if (found == windows_.end()) return;
  Entry& entry = found->second;
  if (entry.open) {
    if (entry.window.bringToFront) entry.window.bringToFront();
    return;
  }
  // Marked open first: a window that reports its own closing while opening
  // (a failed start) leaves the registry consistent.
  entry.open = true;
  if (entry.window.open) entry.window.open();
}

void ToolWindows::close(const std::string& formName) {
  const auto found = windows_.find(formName);
  if (found == windows_.end() || !found->second.open) return;
  Entry& entry = found->second;
  if (entry.window.close) entry.window.close();
  entry.open = false;
}

void ToolWindows::closed(const std::string& formName) {
  const auto found = windows_.find(formName);
  if (found != windows_.end()) found->second.open = false;
}

bool ToolWindows::isOpen(const std::string& formName) const {
  const auto found = windows_.find(formName);
  return found != windows_.end() && found->second.open;
}

}  // namespace vendaro
