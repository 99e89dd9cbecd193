#include "platform/qt/QtToolWindowSlots.h"

#include <utility>

namespace vendaro {

QtToolWindowSlots::QtToolWindowSlots(ToolWindows& windows, EventLoop& loop)
    : windows_(windows), loop_(loop) {}

QtToolWindowSlots::~QtToolWindowSlots() {
  *alive_ = false;
  releaseAll();
}

void QtToolWindowSlots::add(const std::string& formName, Factory factory) {
  slots_[formName].factory = std::move(factory);
  windows_.add(formName, {[this, formName] { open(formName); },
                          [this, formName] {
                            if (QtToolWindow* window = view(formName)) {
                              window->raise();
                              window->activateWindow();
                            }
                          },
                          [this, formName] {
                            if (QtToolWindow* window = view(formName)) window->close();
                          }});
}

void QtToolWindowSlots::open(const std::string& formName) {
  release(formName);
  Slot& slot = slots_.at(formName);
  slot.open = slot.factory();
  if (!slot.open.view) {
    windows_.closed(formName);
    return;
  }
  slot.open.view->onClosed = [this, formName, alive = alive_] {
    windows_.closed(formName);
    // The window is inside its close event now; it is released afterwards.
    loop_.post([this, formName, alive] {
      if (*alive && !windows_.isOpen(formName)) release(formName);
    });
  };
  slot.open.view->show();
}

void QtToolWindowSlots::release(const std::string& formName) {
  const auto found = slots_.find(formName);
  if (found == slots_.end()) return;
  ToolWindowParts parts = std::move(found->second.open);
  found->second.open = {};
  parts.view.reset();
  parts.model.reset();
}

void QtToolWindowSlots::releaseAll() {
  for (auto& [formName, slot] : slots_) release(formName);
}

QtToolWindow* QtToolWindowSlots::view(const std::string& formName) const {
  const auto found = slots_.find(formName);
  return found == slots_.end() ? nullptr : found->second.open.view.get();
}

void* QtToolWindowSlots::modelOf(const std::string& formName) const {
  const auto found = slots_.find(formName);
  return found == slots_.end() ? nullptr : found->second.open.model.get();
}

}  // namespace vendaro
