#pragma once

#include <map>
#include <memory>
#include <string>

#include "platform/EventLoop.h"
#include "platform/ToolWindows.h"
#include "platform/qt/QtToolWindow.h"

namespace vendaro {

// An open tool window: its view and the model it draws. The view is released
// before the model.
struct ToolWindowParts {
  std::shared_ptr<void> model;
  std::unique_ptr<QtToolWindow> view;
};

// The tool windows of the workbench on screen, one slot per form name. A
// subsystem registers a factory; the slot makes the window on first use,
// raises it afterwards, closes it with the main window, and releases model
// and view together once the window has closed. The slots register
// themselves with the main window's ToolWindows, through which the menus
// open them by form name.
class QtToolWindowSlots {
 public:
  using Factory = std::function<ToolWindowParts()>;

  QtToolWindowSlots(ToolWindows& windows, EventLoop& loop);
  QtToolWindowSlots(const QtToolWindowSlots&) = delete;
  QtToolWindowSlots& operator=(const QtToolWindowSlots&) = delete;
  ~QtToolWindowSlots();

  void add(const std::string& formName, Factory factory);
  // Releases every open window, views before models.
  void releaseAll();

  // The open window's view and model; null while it is closed.
  QtToolWindow* view(const std::string& formName) const;
  template <typename Model>
  Model* model(const std::string& formName) const {
    return static_cast<Model*>(modelOf(formName));
  }

 private:
  struct Slot {
    Factory factory;
    ToolWindowParts open;
  };

  void open(const std::string& formName);
  void release(const std::string& formName);
  void* modelOf(const std::string& formName) const;

  ToolWindows& windows_;
  EventLoop& loop_;
  std::map<std::string, Slot> slots_;
  // Posted releases check it, so none runs after the slots are gone.
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace vendaro
