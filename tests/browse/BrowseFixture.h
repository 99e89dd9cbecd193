#pragma once

#include <memory>
#include <stdexcept>
#include <string>

#include "browse/Browsing.h"
#include "common/Workbench.h"
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
    workbench.reset();  // before the window it is plugged into
    form.reset();
    browser1 = std::make_unique<FakeBrowser>();
    browser5 = std::make_unique<FakeBrowser>();
    for (auto& browser : hiddenBrowsers) browser = std::make_unique<FakeBrowser>();
    context.folder = folder.path();
    context.vendor = vendor;
    form = std::make_unique<Form1>(
        Form1Platform{loop, dialogs, launcher, vendor, folder.path(), *browser1, *browser5,
                      *hiddenBrowsers[0], *hiddenBrowsers[1], *hiddenBrowsers[2], makeTransfer,
                      programs});
    workbench = std::make_unique<Workbench>(
        loop, dialogs, launcher, context, *form, form->commands, form->toolWindows,
        []() -> Database& { throw std::logic_error("no database here"); });
    browsing = &addBrowsing(*workbench);
    form->popupMenu = [this](const MenuItem& menu, const std::function<void(int)>& chosen) {
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

  std::function<std::unique_ptr<Transfer>()> makeTransfer = [this] {
    auto transfer = std::make_unique<FakeTransfer>();
    transfers.push_back(transfer.get());
    return transfer;
  };
  AppContext context;
  std::unique_ptr<Workbench> workbench;
  Browsing* browsing = nullptr;
  std::vector<std::string> poppedUp;
  int popupChoice = -1;
};

}  // namespace vendaro::testing
