#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "platform/Dialogs.h"
#include "platform/EventLoop.h"
#include "research/PageSearch.h"
#include "research/PageText.h"
#include "research/ResearchPorts.h"

namespace vendaro {

// "Find keywords", "Find e-mail" and "Find contact" over a `PageSearch` on
// four transfers of its own (`Inet1` to `Inet4`): the links list `listlinks` is searched
// for the keyword box's words (it shows the pages not yet taken), the pages
// found go to the found list `List1`, and at the end the found pages replace
// the links list and the report is offered.
class KeywordSearch {
 public:
  // Live results are shown at most this often, so thousands of hits do not
  // make the pane draw thousands of pages.
  static constexpr int kLiveRefreshMs = 250;

  KeywordSearch(const ResearchPorts& ports, Dialogs& dialogs, EventLoop& loop,
                ResearchFlags& flags);
  KeywordSearch(const KeywordSearch&) = delete;
  KeywordSearch& operator=(const KeywordSearch&) = delete;
  ~KeywordSearch();

  void readit_Click();
  void findemail_Click();
  void findcontact_Click();
  // Stops every fetch at once; the pages not yet read stay in the links list.
  void stop();
  // Cancels the transfers of the four fetchers, ignoring their errors.
  void cancelFetches();

  const PageSearch& pages() const { return search_; }

  // Create Full Report, run when the user wants the report at the end.
  std::function<void()> onReportWanted;
  // One step of the page reader (fetcher 2's error path takes one).
  std::function<void()> readerStep;
  // Runs after the final message of a search.
  std::function<void()> onFinished;

 private:
  void warnWithoutLinks();
  void useKeywords(const std::vector<std::string>& words);
  void startSearch();
  void takeFirstLink();
  void found(const std::string& address);
  void finish();
  void showLiveResults();
  void writeLiveResults();

  SavedLists& saved_;
  ResearchLists& lists_;
  StatusText& status_;
  PaneNavigator& panes_;
  ListControl& keywords_;
  const MainWindowOffers& offers_;
  std::array<Transfer*, 4> fetchers_;
  Dialogs& dialogs_;
  EventLoop& loop_;
  ResearchFlags& flags_;
  PageSearch search_;
  EventLoop::TaskId liveRefresh_ = 0;
};

}  // namespace vendaro
