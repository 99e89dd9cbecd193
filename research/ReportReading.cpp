#include "research/ReportReading.h"

#include <exception>

#include "platform/Text.h"

namespace vendaro {

ReportReading::ReportReading(EventLoop& loop, Browser& pane, const ResearchFlags& flags)
    : pane_(pane), flags_(flags), watchdog_(loop, kWatchdogMs, [this] { timedOut(); }) {
  pane_.onNavigateComplete = [this](FrameLevel level, const std::string&) {
    if (level == FrameLevel::TopLevel) pageLoaded();
  };
}

ReportReading::~ReportReading() {
  pane_.onNavigateComplete = nullptr;
}

void ReportReading::read(std::vector<std::string> addresses) {
  queue_.insert(queue_.end(), addresses.begin(), addresses.end());
  next();
}

void ReportReading::dropFirst() {
  queue_.erase(queue_.begin());
  tell(events.dropped);
}

void ReportReading::next() {
  if (pane_.Busy()) return;
  // Only web pages are read; other addresses leave the queue unread.
  while (!queue_.empty() && !text::isWebAddress(queue_.front())) dropFirst();
  if (queue_.empty()) return;
  const std::string address = queue_.front();
  pane_.Navigate(address);
  watchdog_.arm();
  queue_.erase(queue_.begin());
  if (events.loading) events.loading(address, queue_.size());
}

void ReportReading::skipNext() {
  if (!queue_.empty()) dropFirst();
  next();
}

void ReportReading::pageLoaded() {
  watchdog_.disarm();
  if (events.pageRead) {
    try {
      events.pageRead(pane_.Document().get());
    } catch (const std::exception&) {
      // A page that cannot be described adds what it gave so far.
    }
  }
  if (!queue_.empty()) {
    next();
    return;
  }
  tell(events.complete);
  tell(events.stopped);
}

void ReportReading::timedOut() {
  pane_.Stop();
  if (!queue_.empty()) dropFirst();
  if (flags_.liveResults) {
    next();
    if (pane_.Busy()) return;
  }
  tell(events.stopped);
}

void ReportReading::stop() {
  watchdog_.disarm();
  pane_.Stop();
}

}  // namespace vendaro
