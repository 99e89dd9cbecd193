#pragma once

#include <array>
#include <functional>
#include <memory>
#include <string>

#include "common/MainWindowControls.h"
#include "platform/Dialogs.h"
#include "platform/EventLoop.h"
#include "platform/controls/Timer.h"
#include "research/PageText.h"

namespace vendaro {

// "Find keywords", "Find e-mail" and "Find contact": every page of the links
// list is read through the four fetchers `Inet1` to `Inet4` (watchdogs
// `Timer4` to `Timer7`), the pages whose first 32000 bytes hold a keyword
// go to the found list `List1`, and at the end the found pages replace the
// links list and the report is offered.
class KeywordSearch {
 public:
  static constexpr int kFetchers = 4;
  static constexpr int kWatchdogMs = 30000;
  static constexpr std::size_t kSearchedBytes = 32000;
  // Live results are shown at most this often, so thousands of hits do not
  // make the pane draw thousands of pages.
  static constexpr int kLiveRefreshMs = 250;

  KeywordSearch(MainWindowControls& main, Dialogs& dialogs, EventLoop& loop, ResearchFlags& flags);
  KeywordSearch(const KeywordSearch&) = delete;
  KeywordSearch& operator=(const KeywordSearch&) = delete;
  ~KeywordSearch();

  void readit_Click();
  void findemail_Click();
  void findcontact_Click();
  void DispatchFetches();
  // `Inet1_StateChanged` ... `Inet4_StateChanged`; `fetcher` counts from 1.
  void Inet_StateChanged(int fetcher, int state);
  // `Timer4_Timer` ... `Timer7_Timer` of fetcher 1 to 4.
  void Watchdog_Timer(int fetcher);
  // Stops every fetch at once; the pages not yet read stay in the links list.
  void stop();

  // Timer4 to Timer7.
  Timer& watchdog(int fetcher) { return *watchdogs_.at(static_cast<std::size_t>(fetcher - 1)); }

  // Create Full Report, run when the user wants the report at the end.
  std::function<void()> onReportWanted;
  // One step of the page reader (fetcher 2's error path takes one).
  std::function<void()> readerStep;
  // Runs after the final message of a search.
  std::function<void()> onFinished;
  // Told of each page that could not be read and why (a failed fetch, an
  // error status, no answer in time); the search goes on with the others.
  std::function<void(const std::string& address, const std::string& why)> onPageFailed;

 private:
  void warnWithoutLinks();
  void useKeywords(std::initializer_list<const char*> words);
  bool anyExecuting();
  void finish();
  void answered(int fetcher);
  void showLiveResults();
  void writeLiveResults();

  MainWindowControls& main_;
  Dialogs& dialogs_;
  EventLoop& loop_;
  ResearchFlags& flags_;
  std::array<std::unique_ptr<Timer>, kFetchers> watchdogs_;
  EventLoop::TaskId liveRefresh_ = 0;
};

}  // namespace vendaro
