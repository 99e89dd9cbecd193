#pragma once

#include <functional>
#include <map>
#include <string>

namespace vendaro {

// The windows the main window opens (store wizard, order viewer, ...), by
// form name. A window is created on first use and brought forward when it is
// already open; it lives until it is closed. The view supplies how each
// window is opened, raised and closed, and reports a window closed by the
// user with `closed`.
class ToolWindows {
 public:
  static constexpr const char* kWizardForm = "Wizard1";
  static constexpr const char* kOrderViewerForm = "frmOrders";

  struct Window {
    std::function<void()> open;          // creates and shows the window
    std::function<void()> bringToFront;  // raises the open window
    std::function<void()> close;         // closes the open window
  };

  ToolWindows() = default;
  ToolWindows(const ToolWindows&) = delete;
  ToolWindows& operator=(const ToolWindows&) = delete;

  void add(const std::string& formName, Window window);
  // Opens the window, or brings it forward when it is open. Unknown names do nothing.
  void show(const std::string& formName);
  // Closes the window when it is open. Unknown names do nothing.
  void close(const std::string& formName);
  // The window has closed (by the user, or by `close`).
  void closed(const std::string& formName);
  bool isOpen(const std::string& formName) const;

 private:
  struct Entry {
    Window window;
    bool open = false;
  };

  std::map<std::string, Entry> windows_;
};

}  // namespace vendaro
