#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/Browser.h"
#include "platform/EventLoop.h"
#include "platform/PageDocument.h"
#include "platform/Watchdog.h"
#include "research/PageText.h"

namespace vendaro {

// What a report reading tells as it runs; each may be left empty.
struct ReportReadingEvents {
  // A page is loading; `left` pages are queued after it.
  std::function<void(const std::string& address, std::size_t left)> loading;
  // The first queued address was left out unread (not a web page, or
  // dropped after a time-out or by "Read next").
  std::function<void()> dropped;
  // A page has loaded (null when it cannot be read); the caller describes it.
  std::function<void(const PageDocument* page)> pageRead;
  // The page read was the last one queued.
  std::function<void()> complete;
  // The reading stopped: complete, or a time-out ended it.
  std::function<void()> stopped;
};

// The reading behind "Create Full Report": the queued pages are loaded one at
// a time in a hidden pane, each with a 30-second watchdog. A page that times
// out is dropped with the one queued after it; the reading then goes on only
// with `flags.liveResults`, else it waits for `skipNext` ("Read next"). Only
// http and https pages are loaded. The main window's report and
// `vendaro find --report` run one.
class ReportReading {
 public:
  static constexpr int kWatchdogMs = 30000;

  ReportReading(EventLoop& loop, Browser& pane, const ResearchFlags& flags);
  ~ReportReading();
  ReportReading(const ReportReading&) = delete;
  ReportReading& operator=(const ReportReading&) = delete;

  // Queues `addresses` and reads the next page.
  void read(std::vector<std::string> addresses);
  // Loads the first queued page, unless the pane is busy.
  void next();
  // Drops the first queued page and loads the one after it.
  void skipNext();
  // Forgets the queue.
  void clearQueue() { queue_.clear(); }
  // Ends the reading at once; the queue stays for `skipNext`.
  void stop();

  const std::vector<std::string>& queue() const { return queue_; }
  bool watching() const { return watchdog_.armed(); }

  ReportReadingEvents events;

 private:
  void pageLoaded();
  void timedOut();
  void dropFirst();
  void tell(const std::function<void()>& event) const {
    if (event) event();
  }

  Browser& pane_;
  const ResearchFlags& flags_;
  std::vector<std::string> queue_;
  Watchdog watchdog_;
};

}  // namespace vendaro
