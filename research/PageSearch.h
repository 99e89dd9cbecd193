#pragma once

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/EventLoop.h"
#include "platform/Transfer.h"
#include "platform/Watchdog.h"

namespace vendaro {

// What a page search tells as it runs; each may be left empty.
struct PageSearchEvents {
  // The first queued address was given to a fetcher (its address).
  std::function<void(const std::string& address)> taken;
  // The first queued address is not a web page and was dropped unread.
  std::function<void()> passedOver;
  // The pages still queued after the free fetchers took theirs.
  std::function<void(std::size_t left)> left;
  // A page holds a keyword.
  std::function<void(const std::string& address)> found;
  // A page could not be read (a failed fetch, an error status, no answer in
  // time) and why; the search goes on with the others.
  std::function<void(const std::string& address, const std::string& why)> failed;
  // Fetcher `fetcher` failed and has taken its next page.
  std::function<void(int fetcher)> fetcherFailed;
  // The queue is empty and no fetcher is busy: the pages found, in order.
  std::function<void(const std::vector<std::string>& found)> finished;
};

// The keyword, e-mail and contact search: every queued page is fetched by
// one of four fetchers (a 30-second watchdog each), and the pages whose
// first 32000 bytes hold a keyword (letter case ignored) are found. Only
// http and https pages are fetched. The main window's "Find keywords",
// "Find e-mail" and "Find contact" and `vendaro find` run one.
class PageSearch {
 public:
  static constexpr int kFetchers = 4;
  static constexpr int kWatchdogMs = 30000;
  static constexpr std::size_t kSearchedBytes = 32000;
  // The words "Find e-mail" and "Find contact" look for.
  static const std::vector<std::string>& emailWords();
  static const std::vector<std::string>& contactWords();

  // `fetcher(n)` is fetcher n, counted from 1; the search takes each one's
  // state changes while it lives.
  PageSearch(EventLoop& loop, const std::function<Transfer&(int fetcher)>& fetcher);
  ~PageSearch();
  PageSearch(const PageSearch&) = delete;
  PageSearch& operator=(const PageSearch&) = delete;

  // Searches `addresses` for `keywords`; the free fetchers start at once.
  void start(std::vector<std::string> addresses, std::vector<std::string> keywords);
  // Stops every fetch at once; the pages not yet read stay queued.
  void stop();

  const std::vector<std::string>& queue() const { return queue_; }
  const std::vector<std::string>& found() const { return found_; }
  bool watching(int fetcher) const { return watchdog(fetcher).armed(); }

  PageSearchEvents events;

 private:
  void dispatch();
  bool anyExecuting() const;
  void finish();
  void stateChanged(int fetcher, int state);
  void answered(int fetcher);
  void timedOut(int fetcher);
  Transfer& fetcher(int number) const {
    return *fetchers_.at(static_cast<std::size_t>(number - 1));
  }
  Watchdog& watchdog(int fetcher) const {
    return *watchdogs_.at(static_cast<std::size_t>(fetcher - 1));
  }

  std::array<Transfer*, kFetchers> fetchers_{};
  std::array<std::unique_ptr<Watchdog>, kFetchers> watchdogs_;
  std::vector<std::string> queue_;
  std::vector<std::string> keywords_;
  std::vector<std::string> found_;
};

}  // namespace vendaro
