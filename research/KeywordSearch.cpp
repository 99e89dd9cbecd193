#include "research/KeywordSearch.h"

#include "common/NumberText.h"

namespace vendaro {
namespace {

// Counts in the status bar carry the leading space of a number turned into
// text; the final message shows the count trimmed.
std::string countText(std::size_t count) {
  return numberText(static_cast<std::int64_t>(count));
}

}  // namespace

KeywordSearch::KeywordSearch(MainWindowControls& main, Dialogs& dialogs, EventLoop& loop,
                             ResearchFlags& flags)
    : main_(main),
      dialogs_(dialogs),
      loop_(loop),
      flags_(flags),
      search_(loop, [&main](int fetcher) -> Transfer& { return main.Inet(fetcher); }) {
  PageSearchEvents& events = search_.events;
  events.taken = [this](const std::string& address) {
    takeFirstLink();
    main_.StatusBar1.setPanelText(1, address);
  };
  events.passedOver = [this] { takeFirstLink(); };
  events.left = [this](std::size_t left) {
    main_.StatusBar1.setPanelText(2, "Left - " + countText(left) + " pages to read");
  };
  events.found = [this](const std::string& address) { found(address); };
  events.fetcherFailed = [this](int fetcher) {
    if (fetcher == 2 && readerStep) readerStep();
  };
  events.finished = [this](const std::vector<std::string>&) { finish(); };
}

KeywordSearch::~KeywordSearch() {
  if (liveRefresh_ != 0) loop_.cancel(liveRefresh_);
}

void KeywordSearch::warnWithoutLinks() {
  if (main_.listlinks.ListCount() != 0) return;
  dialogs_.MsgBox(
      "You need get links before, click on 'Links Editor' menu and next click 'Get Links'",
      MessageButtons::Ok, MessageIcon::None, "Warning!!!");
}

void KeywordSearch::readit_Click() {
  warnWithoutLinks();
  main_.StatusBar1.setPanelText(1, "");
  main_.StatusBar1.setPanelText(2, "");
  flags_.liveResults = true;
  if (main_.Combo1.ListCount() == 0) {
    dialogs_.MsgBox("You need enter keywords first!!!", MessageButtons::Ok, MessageIcon::None,
                    "Warning!!!");
    if (main_.focus) main_.focus(main_.Combo1);
    return;
  }
  startSearch();
}

void KeywordSearch::useKeywords(const std::vector<std::string>& words) {
  warnWithoutLinks();
  main_.Combo1.Clear();
  main_.Combo1.AddItems(words);
  main_.List1.Clear();
  main_.StatusBar1.setPanelText(2, "");
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
  search_.start(main_.listlinks.items(), main_.Combo1.items());
}

void KeywordSearch::takeFirstLink() {
  if (main_.listlinks.ListCount() > 0) main_.listlinks.RemoveItem(0);
}

void KeywordSearch::found(const std::string& address) {
  main_.List1.AddItem(address);
  main_.StatusBar1.setPanelText(2, "Found - " + countText(main_.List1.items().size()) + " pages");
  if (flags_.liveResults) showLiveResults();
}

void KeywordSearch::finish() {
  if (liveRefresh_ != 0) writeLiveResults();
  main_.listlinks.Clear();
  main_.listlinks.AddItems(main_.List1.items());
  const MessageResult answer = dialogs_.MsgBox(
      "Found " + trimmedNumberText(std::int64_t{main_.listlinks.ListCount()}) +
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
  for (const std::string& address : main_.List1.items()) {
    page += "<font face='Arial'><small><a href='" + pageAddress(address) + "'>" +
            pageText(address) + "</a></small></font><br>";
  }
  main_.WebBrowser1.browser().writeDocument(page);
}

void KeywordSearch::stop() {
  search_.stop();
  if (liveRefresh_ != 0) writeLiveResults();
}

}  // namespace vendaro
