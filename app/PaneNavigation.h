#pragma once

#include <functional>
#include <string>

#include "platform/BrowserPane.h"

namespace vendaro {

// The navigation commands on the two user panes: on each visible one (the
// toolbar's way) or on the main pane alone (the menu's way). A browser error
// is ignored, as at the end of a pane's history.
class PaneNavigation {
 public:
  PaneNavigation(BrowserPane& webBrowser1, BrowserPane& webBrowser5)
      : webBrowser1_(webBrowser1), webBrowser5_(webBrowser5) {}

  // Runs `command` on WebBrowser1 if it is visible, then on WebBrowser5 if it is.
  void onVisiblePanes(const std::function<void(Browser&)>& command);
  // Runs `command` on WebBrowser1, shown or not.
  void onMainPane(const std::function<void(Browser&)>& command);

  void navigateVisible(const std::string& address) {
    onVisiblePanes([&](Browser& pane) { pane.Navigate(address); });
  }

 private:
  BrowserPane& webBrowser1_;
  BrowserPane& webBrowser5_;
};

}  // namespace vendaro
