#pragma once

#include <memory>
#include <string>

#include "browse/Browsing.h"
#include "tests/app/Form1Fixture.h"

namespace vendaro::testing {

// A main window over fakes (or the transfers `makeTransfer` makes) with the
// browsing subsystem plugged in, as the program composes it. Pop-up menus choose `popupChoice`
// (none when -1).
class BrowseFixture : public Form1Fixture {
 protected:
  // Starts the window as the program does; a second call is a restart.
  Browsing& start() {
    if (form) form->Form_Unload();
    makeForm();
    browsing = &addBrowsing(plugInWorkbench());
    form->offers.popupMenu = [this](const MenuItem& menu, const std::function<void(int)>& chosen) {
      poppedUp.push_back(menu.name());
      if (popupChoice >= 0) chosen(popupChoice);
    };
    form->Form_Load();
    return *browsing;
  }

  // Shows a page with `domain` in WebBrowser1, as its completion reports it.
  void visit(const std::string& address, const std::string& domain) {
    auto page = std::make_shared<PageDocument>();
    page->url = address;
    page->domain = domain;
    browser1->pages[address] = page;
    browser1->Navigate(address);
    browser1->completeNavigation();
  }

  void run(const std::string& command) { ASSERT_TRUE(form->commands.run(command)) << command; }

  Browsing* browsing = nullptr;
  std::vector<std::string> poppedUp;
  int popupChoice = -1;
};

}  // namespace vendaro::testing
