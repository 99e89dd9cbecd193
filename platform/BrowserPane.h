#pragma once

#include "platform/Browser.h"
#include "platform/controls/Control.h"

namespace vendaro {

// A browser pane of a window: the browser and whether the pane is shown.
class BrowserPane : public Control {
 public:
  explicit BrowserPane(Browser& browser, bool visible = true) : browser_(browser) {
    setVisible(visible);
  }

  Browser& browser() { return browser_; }
  const Browser& browser() const { return browser_; }

 private:
  Browser& browser_;
};

}  // namespace vendaro
