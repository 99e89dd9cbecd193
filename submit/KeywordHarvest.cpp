#include "submit/KeywordHarvest.h"

#include <stdexcept>

#include "common/NumberText.h"
#include "common/PageAnalysis.h"

namespace vendaro {
namespace {

void onPageComplete(Browser& browser, std::function<void()> handler) {
  browser.onDocumentComplete = [handler = std::move(handler)](FrameLevel level,
                                                              const std::string&) {
    if (level == FrameLevel::TopLevel) handler();
  };
}

std::vector<std::string> addedSince(const std::vector<std::string>& list, std::size_t before) {
  return {list.begin() + static_cast<std::ptrdiff_t>(before), list.end()};
}

}  // namespace

KeywordHarvest::KeywordHarvest(EventLoop& loop, ResearchBrowsers browsers, SearchEngines engines)
    : browsers_(std::move(browsers)),
      engines_(std::move(engines)),
      engineWatchdog_(loop, kWatchdogMs, [this] { engineTimedOut(); }),
      reader2Watchdog_(loop, kWatchdogMs, [this] { readerTimedOut(*browsers_.WebBrowser2); }),
      reader3Watchdog_(loop, kWatchdogMs, [this] { readerTimedOut(*browsers_.WebBrowser3); }) {
  onPageComplete(*browsers_.WebBrowser1, [this] { resultPageComplete(); });
  onPageComplete(*browsers_.WebBrowser2,
                 [this] { harvestPage(*browsers_.WebBrowser2, reader2Watchdog_); });
  onPageComplete(*browsers_.WebBrowser3,
                 [this] { harvestPage(*browsers_.WebBrowser3, reader3Watchdog_); });
}

KeywordHarvest::~KeywordHarvest() {
  for (Browser* browser :
       {browsers_.WebBrowser1.get(), browsers_.WebBrowser2.get(), browsers_.WebBrowser3.get()}) {
    browser->onDocumentComplete = nullptr;
    browser->Stop();
  }
}

const Browser& KeywordHarvest::browser(int number) const {
  switch (number) {
    case 1:
      return *browsers_.WebBrowser1;
    case 2:
      return *browsers_.WebBrowser2;
    case 3:
      return *browsers_.WebBrowser3;
    default:
      throw std::out_of_range("no WebBrowser" + std::to_string(number));
  }
}

bool KeywordHarvest::watching(int number) const {
  (void)browser(number);
  const Watchdog* watchdogs[] = {&engineWatchdog_, &reader2Watchdog_, &reader3Watchdog_};
  return watchdogs[number - 1]->armed();
}

void KeywordHarvest::sweep() {
  sweepStep();
}

std::string KeywordHarvest::currentKeyword() const {
  // A keyword removed during the sweep leaves the index past the list.
  return keywordIndex_ < static_cast<int>(keywords_.size())
             ? keywords_[static_cast<std::size_t>(keywordIndex_)]
             : std::string();
}

void KeywordHarvest::sweepStep() {
  Browser& engineReader = *browsers_.WebBrowser1;
  if (engineReader.Busy()) return;
  const int keywords = static_cast<int>(keywords_.size());
  // Passing the last engine moves to the next keyword (a loop, where the
  // step would call itself).
  while (keywordIndex_ < keywords && engineIndex_ >= engines_.count()) {
    engineIndex_ = 0;
    ++keywordIndex_;
  }
  if (keywordIndex_ >= keywords) {
    keywordIndex_ = 0;
    engineIndex_ = 0;
    tries_ = 0;
    engineWatchdog_.disarm();
    tell(events.sweepOver);
    return;
  }
  const std::string address = engines_.address(engineIndex_, currentKeyword());
  engineReader.Navigate(address);
  if (events.loading) events.loading(address);
  engineWatchdog_.arm();
}

void KeywordHarvest::resultPageComplete() {
  engineWatchdog_.disarm();
  tries_ = 0;
  const std::size_t before = queue_.size();
  CollectPageLinks(browsers_.WebBrowser1->Document().get(), currentKeyword(), queue_);
  if (queue_.size() > before && events.linksCollected) {
    events.linksCollected(addedSince(queue_, before));
  }
  tell(events.enginePassed);
  ++engineIndex_;
  if (events.status) {
    events.status(" Found " + numberText(static_cast<std::int64_t>(queue_.size())) + " links");
  }
  sweepStep();
}

void KeywordHarvest::engineTimedOut() {
  browsers_.WebBrowser1->Stop();
  if (++tries_ >= kTriesPerEngine) engineGivenUp();
  sweepStep();
}

void KeywordHarvest::engineGivenUp() {
  if (engineIndex_ < engines_.count() && events.status) {
    events.status(" " + engines_.engine(engineIndex_).caption + " does not answer, skipped");
  }
  tries_ = 0;
  ++engineIndex_;
  tell(events.enginePassed);
}

void KeywordHarvest::read() {
  readingTold_ = false;
  readStep();
}

void KeywordHarvest::readStep() {
  Browser& reader2 = *browsers_.WebBrowser2;
  Browser& reader3 = *browsers_.WebBrowser3;
  if (queue_.empty()) {
    engineWatchdog_.disarm();
    // A reader still loading keeps its watchdog, so its page cannot hang.
    if (!reader2.Busy()) reader2Watchdog_.disarm();
    if (!reader3.Busy()) reader3Watchdog_.disarm();
    // The reading is over once both readers are done; it is told once.
    if (reader2.Busy() || reader3.Busy() || readingTold_) return;
    readingTold_ = true;
    tell(events.readingOver);
    return;
  }
  startReading(reader2, reader2Watchdog_);
  startReading(reader3, reader3Watchdog_);
  if (events.status) {
    events.status("Left to read :" + numberText(static_cast<std::int64_t>(queue_.size())) +
                  " pages");
  }
}

void KeywordHarvest::startReading(Browser& reader, Watchdog& watchdog) {
  // The first reader may just have taken the last link: the second one is
  // then left alone rather than sent to an empty address.
  if (reader.Busy() || queue_.empty()) return;
  watchdog.arm();
  const std::string address = queue_.front();
  reader.Navigate(address);
  if (events.loading) events.loading(address);
  queue_.erase(queue_.begin());
  tell(events.linkTaken);
}

void KeywordHarvest::harvestPage(const Browser& reader, Watchdog& watchdog) {
  const std::shared_ptr<const PageDocument> document = reader.Document();
  const std::size_t titles = harvest_.titles.size();
  const std::size_t descriptions = harvest_.descriptions.size();
  const std::size_t keywords = harvest_.keywords.size();
  AddPageTitle(document.get(), harvest_.titles);
  AddPageKeywords(document.get(), harvest_.keywords);
  AddPageDescription(document.get(), harvest_.descriptions);
  Harvest added{addedSince(harvest_.titles, titles),
                addedSince(harvest_.descriptions, descriptions),
                addedSince(harvest_.keywords, keywords)};
  const bool any = !added.titles.empty() || !added.descriptions.empty() || !added.keywords.empty();
  if (any && events.harvested) events.harvested(added);
  watchdog.disarm();
  readStep();
}

void KeywordHarvest::readerTimedOut(Browser& reader) {
  reader.Stop();
  readStep();
}

}  // namespace vendaro
