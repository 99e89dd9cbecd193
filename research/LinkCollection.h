#pragma once

#include "platform/EventLoop.h"
#include "platform/PageDocument.h"
#include "platform/controls/Label.h"
#include "platform/controls/Timer.h"
#include "research/ResearchPorts.h"

namespace vendaro {

// The links of pages into the main window's shared lists: "Get/Add all
// Links" over the visible pane (frames included, filtered by the keyword
// box's text), the crawler that walks the links list in the hidden pane
// `WebBrowser4` with its watchdog `Timer9`, and the small commands that set a
// link aside, clear the list and show or hide it.
class LinkCollection {
 public:
  static constexpr int kWatchdogMs = 30000;

  LinkCollection(const ResearchPorts& ports, EventLoop& loop);
  LinkCollection(const LinkCollection&) = delete;
  LinkCollection& operator=(const LinkCollection&) = delete;
  ~LinkCollection();

  void getlinks_Click();
  void CrawlNext();
  void CrawlPage(const PageDocument* document);
  void WebBrowser4_NavigateComplete();
  void Timer9_Timer();
  void listlinks_DblClick();
  void Command1_Click();
  void viewlinkslisting_Click();
  // Hides the links list and its button (its window was closed).
  void hideLinksList();
  // Ends a crawl at once: the pane stops and the watchdog is disarmed.
  void stop();

  Label Command1{"Clear All"};
  Timer Timer9;

 private:
  SavedLists& saved_;
  ResearchLists& lists_;
  StatusText& status_;
  PaneNavigator& panes_;
  HiddenPanes hidden_;
  ListControl& keywords_;
  const MainWindowHooks& hooks_;
};

}  // namespace vendaro
