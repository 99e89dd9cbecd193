#include "research/KeywordSearch.h"

#include <exception>

#include "common/NumberText.h"

namespace vendaro {
namespace {

// Counts in the status bar carry the leading space of a number turned into
// text; the final message shows the count trimmed.
std::string countText(std::size_t count) {
  return numberText(static_cast<std::int64_t>(count));
}

}  // namespace

KeywordSearch::KeywordSearch(const ResearchPorts& ports, Dialogs& dialogs, EventLoop& loop,
                             ResearchFlags& flags)
    : saved_(ports.saved),
      lists_(ports.lists),
      status_(ports.status),
      panes_(ports.panes),
      keywords_(ports.keywords),
      offers_(ports.offers),
      fetchers_{
          &ports.transfers.take("keyword fetcher 1"), &ports.transfers.take("keyword fetcher 2"),
          &ports.transfers.take("keyword fetcher 3"), &ports.transfers.take("keyword fetcher 4")},
      dialogs_(dialogs),
      loop_(loop),
      flags_(flags),
      search_(loop, [this](int fetcher) -> Transfer& {
        return *fetchers_.at(static_cast<std::size_t>(fetcher - 1));
      }) {
  PageSearchEvents& events = search_.events;
  events.taken = [this](const std::string& address) {
    takeFirstLink();
    status_.show(1, address);
  };
  events.passedOver = [this] { takeFirstLink(); };
  events.left = [this](std::size_t left) {
    status_.show(2, "Left - " + countText(left) + " pages to read");
  };
  events.found = [this](const std::string& address) { found(address); };
  events.fetcherFailed = [this](int fetcher) {
    if (fetcher == 2 && readerStep) readerStep();
  };
  events.finished = [this](const std::vector<std::string>&) { finish(); };
}

void KeywordSearch::cancelFetches() {
  for (Transfer* fetcher : fetchers_) {
    try {
      fetcher->Cancel();
    } catch (const std::exception&) {
      // A fetcher that cannot be cancelled is left; the others still are.
    }
  }
}

KeywordSearch::~KeywordSearch() {
  if (liveRefresh_ != 0) loop_.cancel(liveRefresh_);
}

void KeywordSearch::warnWithoutLinks() {
  if (saved_.listlinks.ListCount() != 0) return;
  dialogs_.MsgBox(
      "You need get links before, click on 'Links Editor' menu and next click 'Get Links'",
      MessageButtons::Ok, MessageIcon::None, "Warning!!!");
}

void KeywordSearch::readit_Click() {
  warnWithoutLinks();
  status_.show(1, "");
  status_.show(2, "");
  flags_.liveResults = true;
  if (keywords_.ListCount() == 0) {
    dialogs_.MsgBox("You need enter keywords first!!!", MessageButtons::Ok, MessageIcon::None,
                    "Warning!!!");
    if (offers_.focus) offers_.focus(keywords_);
    return;
  }
  startSearch();
}

void KeywordSearch::useKeywords(const std::vector<std::string>& words) {
  warnWithoutLinks();
  keywords_.Clear();
  keywords_.AddItems(words);
  lists_.List1.Clear();
  status_.show(2, "");
  startSearch();
}

void KeywordSearch::findemail_Click() {
  useKeywords(PageSearch::emailWords());
}

void KeywordSearch::findcontact_Click() {
  useKeywords(PageSearch::contactWords());
}

// The links list shows the pages the search has not taken yet.
void KeywordSearch::startSearch() {
  search_.start(saved_.listlinks.items(), keywords_.items());
}

void KeywordSearch::takeFirstLink() {
  if (saved_.listlinks.ListCount() > 0) saved_.listlinks.RemoveItem(0);
}

void KeywordSearch::found(const std::string& address) {
  lists_.List1.AddItem(address);
  status_.show(2, "Found - " + countText(lists_.List1.items().size()) + " pages");
  if (flags_.liveResults) showLiveResults();
}

void KeywordSearch::finish() {
  if (liveRefresh_ != 0) writeLiveResults();
  saved_.listlinks.Clear();
  saved_.listlinks.AddItems(lists_.List1.items());
  const MessageResult answer = dialogs_.MsgBox(
      "Found " + trimmedNumberText(std::int64_t{saved_.listlinks.ListCount()}) +
          " links with Your Keywords. You may view report by click on 'View Report' menu item.",
      MessageButtons::YesNo, MessageIcon::None, "Would You Like to see a report?");
  if (answer == MessageResult::Yes && onReportWanted) onReportWanted();
  if (onFinished) onFinished();
}

// The live page lists every page of the found list, as the final count
// counts them all: those of every fetcher and those found before.
void KeywordSearch::showLiveResults() {
  if (liveRefresh_ == 0) {
    liveRefresh_ = loop_.postDelayed(kLiveRefreshMs, [this] {
      liveRefresh_ = 0;
      writeLiveResults();
    });
  }
}

void KeywordSearch::writeLiveResults() {
  if (liveRefresh_ != 0) loop_.cancel(liveRefresh_);
  liveRefresh_ = 0;
  std::string page;
  for (const std::string& address : lists_.List1.items()) {
    page += "<font face='Arial'><small><a href='" + pageAddress(address) + "'>" +
            pageText(address) + "</a></small></font><br>";
  }
  panes_.WebBrowser1.browser().writeDocument(page);
}

void KeywordSearch::stop() {
  search_.stop();
  if (liveRefresh_ != 0) writeLiveResults();
}

}  // namespace vendaro
