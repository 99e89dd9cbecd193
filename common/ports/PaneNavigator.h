#pragma once

#include <functional>
#include <string>

#include "common/ports/StatusText.h"
#include "platform/BrowserPane.h"

namespace vendaro {

// The pane navigator: the main window's two user panes, `WebBrowser1` (the
// main pane) and `WebBrowser5`, and the ways tools open pages in them. A
// browser error is ignored, as at the end of a pane's history.
class PaneNavigator {
 public:
  PaneNavigator(BrowserPane& webBrowser1, BrowserPane& webBrowser5, StatusText& status)
      : WebBrowser1(webBrowser1), WebBrowser5(webBrowser5), status_(status) {}

  BrowserPane& WebBrowser1;
  BrowserPane& WebBrowser5;

  // Runs `command` on WebBrowser1 if it is visible, then on WebBrowser5 if it is.
  void onVisiblePanes(const std::function<void(Browser&)>& command);
  // Runs `command` on WebBrowser1, shown or not.
  void onMainPane(const std::function<void(Browser&)>& command);

  void navigateVisible(const std::string& address) {
    onVisiblePanes([&](Browser& pane) { pane.Navigate(address); });
  }
  // Opens `address` in `pane` (WebBrowser1 or WebBrowser5); when that pane
  // is not on screen, status panel 1 says where the page went.
  void navigate(BrowserPane& pane, const std::string& address);

 private:
  StatusText& status_;
};

}  // namespace vendaro
