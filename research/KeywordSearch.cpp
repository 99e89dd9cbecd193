#include "research/KeywordSearch.h"

#include <exception>

#include "common/NumberText.h"
#include "common/TextSearch.h"
#include "platform/Text.h"
#include "platform/Transfer.h"

namespace vendaro {
namespace {

// Counts in the status bar carry the leading space of a number turned into
// text; the final message shows the count trimmed.
std::string countText(int count) {
  return numberText(std::int64_t{count});
}

}  // namespace

KeywordSearch::KeywordSearch(MainWindowControls& main, Dialogs& dialogs, EventLoop& loop,
                             ResearchFlags& flags)
    : main_(main), dialogs_(dialogs), loop_(loop), flags_(flags) {
  for (int fetcher = 1; fetcher <= kFetchers; ++fetcher) {
    auto& timer = watchdogs_.at(static_cast<std::size_t>(fetcher - 1));
    timer = std::make_unique<Timer>(loop, kWatchdogMs, false);
    timer->onTimer = [this, fetcher] { Watchdog_Timer(fetcher); };
    // Only the first bytes are searched, so no more are kept of any page.
    main_.Inet(fetcher).setReadLimit(kSearchedBytes);
    main_.Inet(fetcher).onStateChanged = [this, fetcher](int state) {
      Inet_StateChanged(fetcher, state);
    };
  }
}

KeywordSearch::~KeywordSearch() {
  if (liveRefresh_ != 0) loop_.cancel(liveRefresh_);
  for (int fetcher = 1; fetcher <= kFetchers; ++fetcher)
    main_.Inet(fetcher).onStateChanged = nullptr;
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
  DispatchFetches();
}

void KeywordSearch::useKeywords(std::initializer_list<const char*> words) {
  warnWithoutLinks();
  main_.Combo1.Clear();
  for (const char* word : words) main_.Combo1.AddItem(word);
  main_.List1.Clear();
  main_.StatusBar1.setPanelText(2, "");
  DispatchFetches();
}

void KeywordSearch::findemail_Click() {
  useKeywords({"mailto:"});
}

void KeywordSearch::findcontact_Click() {
  useKeywords({"contact", "mail", "phone", "fax", "address", "write", "people", "stuff"});
}

bool KeywordSearch::anyExecuting() {
  for (int fetcher = 1; fetcher <= kFetchers; ++fetcher) {
    if (main_.Inet(fetcher).StillExecuting()) return true;
  }
  return false;
}

void KeywordSearch::DispatchFetches() {
  ListControl& links = main_.listlinks;
  for (int fetcher = 1; fetcher <= kFetchers; ++fetcher) {
    Transfer& transfer = main_.Inet(fetcher);
    if (transfer.StillExecuting()) continue;
    // Only web pages are fetched; other addresses are dropped unread.
    while (links.ListCount() > 0 && !text::isWebAddress(links.List(0))) links.RemoveItem(0);
    if (links.ListCount() == 0) break;
    transfer.Execute(links.List(0));
    watchdog(fetcher).setEnabled(true);
    links.RemoveItem(0);
    main_.StatusBar1.setPanelText(1, transfer.URL());
  }
  if (links.ListCount() == 0 && !anyExecuting()) {
    finish();
    return;
  }
  main_.StatusBar1.setPanelText(2, "Left - " + countText(links.ListCount()) + " pages to read");
}

void KeywordSearch::finish() {
  for (int fetcher = 1; fetcher <= kFetchers; ++fetcher) watchdog(fetcher).setEnabled(false);
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

void KeywordSearch::Inet_StateChanged(int fetcher, int state) {
  Transfer& transfer = main_.Inet(fetcher);
  if (state == Transfer::kStateResponseCompleted) {
    try {
      answered(fetcher);
    } catch (const std::exception&) {
      // The search goes on at the next answer or watchdog expiry.
    }
  } else if (state == Transfer::kStateError) {
    // Every fetcher takes its next page at once after an error, rather than
    // idling until its watchdog; fetcher 2 also moves the page reader on.
    watchdog(fetcher).setEnabled(false);
    if (onPageFailed) onPageFailed(transfer.URL(), transfer.ResponseInfo());
    transfer.Cancel();
    DispatchFetches();
    if (fetcher == 2 && readerStep) readerStep();
  }
}

void KeywordSearch::answered(int fetcher) {
  Transfer& transfer = main_.Inet(fetcher);
  const std::string text = transfer.GetChunk(kSearchedBytes);
  watchdog(fetcher).setEnabled(false);
  for (const std::string& keyword : main_.Combo1.items()) {
    if (!containsIgnoringCase(text, keyword)) continue;
    main_.List1.AddItem(transfer.URL());
    main_.StatusBar1.setPanelText(2, "Found - " + countText(main_.List1.ListCount()) + " pages");
    if (flags_.liveResults) showLiveResults();
    break;
  }
  DispatchFetches();
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

void KeywordSearch::Watchdog_Timer(int fetcher) {
  watchdog(fetcher).setEnabled(false);
  if (onPageFailed && main_.Inet(fetcher).StillExecuting()) {
    onPageFailed(main_.Inet(fetcher).URL(), "no answer within 30 seconds");
  }
  main_.Inet(fetcher).Cancel();
  DispatchFetches();
}

void KeywordSearch::stop() {
  for (int fetcher = 1; fetcher <= kFetchers; ++fetcher) {
    watchdog(fetcher).setEnabled(false);
    main_.Inet(fetcher).Cancel();
  }
  if (liveRefresh_ != 0) writeLiveResults();
}

}  // namespace vendaro
