#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/Browser.h"
#include "platform/EventLoop.h"
#include "platform/Watchdog.h"
#include "submit/SearchEngines.h"

namespace vendaro {

// The three hidden browsers of the keyword research: one for the engines'
// result pages, two that read the collected pages in parallel.
struct ResearchBrowsers {
  std::unique_ptr<Browser> WebBrowser1;
  std::unique_ptr<Browser> WebBrowser2;
  std::unique_ptr<Browser> WebBrowser3;
};

// What the pages read gave: titles, descriptions and keywords, each once.
struct Harvest {
  std::vector<std::string> titles = {};
  std::vector<std::string> descriptions = {};
  std::vector<std::string> keywords = {};
};

// What a harvest tells as it runs; each may be left empty.
struct HarvestEvents {
  // A status text ("Found N links", an engine skipped, "Left to read").
  std::function<void(const std::string& text)> status;
  // The address a browser was sent to.
  std::function<void(const std::string& address)> loading;
  // Links of a result page appended to the reading queue.
  std::function<void(const std::vector<std::string>& links)> linksCollected;
  // A reader took the first link of the queue.
  std::function<void()> linkTaken;
  // The sweep is done with one engine for one keyword (answered or skipped).
  std::function<void()> enginePassed;
  // What one page read added to the harvest.
  std::function<void(const Harvest& added)> harvested;
  // The sweep has passed the last keyword.
  std::function<void()> sweepOver;
  // The queue is empty and both readers are done; told once per `read`.
  std::function<void()> readingOver;
};

// The keyword research: the keywords are swept over the search engines
// (every engine for the first keyword, then every engine for the next), the
// links of each result page that match the keyword are queued, and `read`
// then reads them two at a time, harvesting titles, descriptions and
// keywords. Each browser has a 30-second watchdog; an engine that does not
// answer in kTriesPerEngine tries is skipped with a status text, so the
// sweep always ends. The submission tool's "Analysis" page and
// `vendaro research` run one.
class KeywordHarvest {
 public:
  static constexpr int kWatchdogMs = 30000;
  static constexpr int kTriesPerEngine = 3;
  // What the window and the command say when the reading is over.
  static constexpr const char* kReadingDoneMessage =
      "I'v done the search,You may analyse the result on next table";

  KeywordHarvest(EventLoop& loop, ResearchBrowsers browsers, SearchEngines engines);
  ~KeywordHarvest();
  KeywordHarvest(const KeywordHarvest&) = delete;
  KeywordHarvest& operator=(const KeywordHarvest&) = delete;

  // The keywords swept; they may change while a sweep runs (it goes on at
  // the same position).
  void setKeywords(std::vector<std::string> keywords) { keywords_ = std::move(keywords); }
  // Starts the sweep, unless the engine browser is still loading.
  void sweep();
  // Starts reading the queued links.
  void read();

  const std::vector<std::string>& queue() const { return queue_; }
  const Harvest& harvest() const { return harvest_; }
  const SearchEngines& engines() const { return engines_; }
  // WebBrowser1 to WebBrowser3.
  const Browser& browser(int number) const;
  // Whether the watchdog of browser `number` is counting down.
  bool watching(int number) const;
  // The sweep position: a keyword and an engine of the table.
  int keywordIndex() const { return keywordIndex_; }
  int engineIndex() const { return engineIndex_; }

  HarvestEvents events;

 private:
  void sweepStep();
  void resultPageComplete();
  void engineTimedOut();
  void engineGivenUp();
  void readStep();
  void startReading(Browser& reader, Watchdog& watchdog);
  void harvestPage(const Browser& reader, Watchdog& watchdog);
  void readerTimedOut(Browser& reader);
  std::string currentKeyword() const;
  void tell(const std::function<void()>& event) const {
    if (event) event();
  }

  ResearchBrowsers browsers_;
  SearchEngines engines_;
  std::vector<std::string> keywords_;
  std::vector<std::string> queue_;
  Harvest harvest_;
  int keywordIndex_ = 0;
  int engineIndex_ = 0;
  // Watchdog expiries of the engine being asked.
  int tries_ = 0;
  // Whether this reading's end has been told.
  bool readingTold_ = false;
  Watchdog engineWatchdog_;
  Watchdog reader2Watchdog_;
  Watchdog reader3Watchdog_;
};

}  // namespace vendaro
