#pragma once

#include <functional>
#include <map>
#include <string>
#include <utility>

#include "common/ports/StatusText.h"
#include "platform/controls/StatusBar.h"

namespace vendaro {

// The status-bar text port over a window's status bar control.
class StatusBarText : public StatusText {
 public:
  explicit StatusBarText(StatusBar& bar) : bar_(bar) {}

  void show(int panel, const std::string& text) override { bar_.setPanelText(panel, text); }
  void onClick(int panel, std::function<void()> handler) override {
    setHandler(bar_.panelClick, panel, std::move(handler));
  }
  void onDoubleClick(int panel, std::function<void()> handler) override {
    setHandler(bar_.panelDblClick, panel, std::move(handler));
  }

 private:
  static void setHandler(std::map<int, std::function<void()>>& handlers, int panel,
                         std::function<void()> handler) {
    if (handler) {
      handlers[panel] = std::move(handler);
    } else {
      handlers.erase(panel);
    }
  }

  StatusBar& bar_;
};

}  // namespace vendaro
