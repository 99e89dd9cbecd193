#include "research/PageSearch.h"

#include <exception>

#include "common/TextSearch.h"
#include "platform/Text.h"

namespace vendaro {

const std::vector<std::string>& PageSearch::emailWords() {
  static const std::vector<std::string> words{"mailto:"};
  return words;
}

const std::vector<std::string>& PageSearch::contactWords() {
  static const std::vector<std::string> words{"contact", "mail",  "phone",  "fax",
                                              "address", "write", "people", "stuff"};
  return words;
}

PageSearch::PageSearch(EventLoop& loop, const std::function<Transfer&(int fetcher)>& fetcher) {
  for (int number = 1; number <= kFetchers; ++number) {
    const auto index = static_cast<std::size_t>(number - 1);
    fetchers_.at(index) = &fetcher(number);
    watchdogs_.at(index) =
        std::make_unique<Watchdog>(loop, kWatchdogMs, [this, number] { timedOut(number); });
    // Only the first bytes are searched, so no more are kept of any page.
    fetchers_.at(index)->setReadLimit(kSearchedBytes);
    fetchers_.at(index)->onStateChanged = [this, number](int state) {
      stateChanged(number, state);
    };
  }
}

PageSearch::~PageSearch() {
  for (Transfer* transfer : fetchers_) transfer->onStateChanged = nullptr;
}

void PageSearch::start(std::vector<std::string> addresses, std::vector<std::string> keywords) {
  queue_ = std::move(addresses);
  keywords_ = std::move(keywords);
  found_.clear();
  dispatch();
}

bool PageSearch::anyExecuting() const {
  for (const Transfer* transfer : fetchers_) {
    if (transfer->StillExecuting()) return true;
  }
  return false;
}

void PageSearch::dispatch() {
  for (int number = 1; number <= kFetchers; ++number) {
    Transfer& transfer = fetcher(number);
    if (transfer.StillExecuting()) continue;
    // Only web pages are fetched; other addresses are dropped unread.
    while (!queue_.empty() && !text::isWebAddress(queue_.front())) {
      queue_.erase(queue_.begin());
      if (events.passedOver) events.passedOver();
    }
    if (queue_.empty()) break;
    transfer.Execute(queue_.front());
    watchdog(number).arm();
    queue_.erase(queue_.begin());
    if (events.taken) events.taken(transfer.URL());
  }
  if (queue_.empty() && !anyExecuting()) {
    finish();
    return;
  }
  if (events.left) events.left(queue_.size());
}

void PageSearch::finish() {
  for (const auto& watchdog : watchdogs_) watchdog->disarm();
  if (events.finished) events.finished(found_);
}

void PageSearch::stateChanged(int number, int state) {
  Transfer& transfer = fetcher(number);
  if (state == Transfer::kStateResponseCompleted) {
    try {
      answered(number);
    } catch (const std::exception&) {
      // The search goes on at the next answer or watchdog expiry.
    }
  } else if (state == Transfer::kStateError) {
    // Every fetcher takes its next page at once after an error, rather than
    // idling until its watchdog.
    watchdog(number).disarm();
    if (events.failed) events.failed(transfer.URL(), transfer.ResponseInfo());
    transfer.Cancel();
    dispatch();
    if (events.fetcherFailed) events.fetcherFailed(number);
  }
}

void PageSearch::answered(int number) {
  Transfer& transfer = fetcher(number);
  const std::string text = transfer.GetChunk(kSearchedBytes);
  watchdog(number).disarm();
  for (const std::string& keyword : keywords_) {
    if (!containsIgnoringCase(text, keyword)) continue;
    found_.push_back(transfer.URL());
    if (events.found) events.found(transfer.URL());
    break;
  }
  dispatch();
}

void PageSearch::timedOut(int number) {
  Transfer& transfer = fetcher(number);
  if (events.failed && transfer.StillExecuting()) {
    events.failed(transfer.URL(), "no answer within 30 seconds");
  }
  transfer.Cancel();
  dispatch();
}

void PageSearch::stop() {
  for (int number = 1; number <= kFetchers; ++number) {
    watchdog(number).disarm();
    fetcher(number).Cancel();
  }
}

}  // namespace vendaro
