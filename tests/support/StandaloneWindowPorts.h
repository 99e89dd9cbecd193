#pragma once

#include "common/ports/MainWindowPorts.h"
#include "common/ports/StatusBarText.h"
#include "platform/controls/Label.h"
#include "platform/controls/StatusBar.h"

namespace vendaro::testing {

// The main window's ports over controls of their own, for tools tested
// without the window: the panes over the browsers given, WebBrowser5 hidden.
struct StandaloneWindowPorts {
  StandaloneWindowPorts(Browser& browser1, Browser& browser5, Browser& browser2, Browser& browser3,
                        Browser& browser4, TransferPool::Factory makeTransfer)
      : WebBrowser1(browser1, true),
        WebBrowser5(browser5, false),
        hidden{browser2, browser3, browser4},
        transfers(std::move(makeTransfer)) {}

  MainWindowPorts ports() {
    return {statusText, panes,    hidden, transfers, {Combo2, Combo1, Caption},
            saved,      research, zone,   hooks,     offers};
  }

  ListControl Combo2;
  ListControl Combo1;
  Label Caption{"Form1"};
  StatusBar StatusBar1{5};
  BrowserPane WebBrowser1;
  BrowserPane WebBrowser5;
  HiddenPanes hidden;
  SavedLists saved;
  ResearchLists research;
  BrowsingZone zone;
  MainWindowHooks hooks;
  MainWindowOffers offers;
  TransferPool transfers;
  StatusBarText statusText{StatusBar1};
  PaneNavigator panes{WebBrowser1, WebBrowser5, statusText};
};

}  // namespace vendaro::testing
