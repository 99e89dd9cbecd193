#include "research/LinkCollection.h"

#include <exception>

#include "common/EnginePages.h"
#include "common/NumberText.h"
#include "common/TextSearch.h"
#include "platform/Text.h"
#include "research/PageText.h"

namespace vendaro {
namespace {

// Counts in the status bar carry the leading space of a number turned into text.
std::string countText(int count) {
  return numberText(std::int64_t{count});
}

std::size_t linkCount(const PageDocument* document) {
  if (!document) return 0;
  std::size_t count = document->links.size();
  for (const PageFrame& frame : document->frames) count += linkCount(frame.document.get());
  return count;
}

}  // namespace

LinkCollection::LinkCollection(MainWindowControls& main, EventLoop& loop)
    : Timer9(loop, kWatchdogMs, false), main_(main) {
  Command1.setVisible(false);
  main_.listlinks.setVisible(false);
  Timer9.onTimer = [this] { Timer9_Timer(); };
  main_.WebBrowser4.browser().onNavigateComplete = [this](FrameLevel level, const std::string&) {
    if (level == FrameLevel::TopLevel) WebBrowser4_NavigateComplete();
  };
  main_.StatusBar1.panelClick[3] = [this] { viewlinkslisting_Click(); };
}

LinkCollection::~LinkCollection() {
  main_.WebBrowser4.browser().onNavigateComplete = nullptr;
  main_.StatusBar1.panelClick.erase(3);
}

void LinkCollection::getlinks_Click() {
  main_.StatusBar1.setPanelText(1, "Working...");
  main_.List4.Clear();
  main_.linksGathered = true;
  const auto page1 = main_.WebBrowser1.Visible() ? main_.WebBrowser1.browser().Document() : nullptr;
  const auto page5 = main_.WebBrowser5.Visible() ? main_.WebBrowser5.browser().Document() : nullptr;
  reportRows_.rebuild(main_.List3.items(), linkCount(page1.get()) + linkCount(page5.get()));
  GatherLinks(page1.get());
  GatherLinks(page5.get());
  flushGathered();
  main_.StatusBar1.setPanelText(1, "Done");
  main_.StatusBar1.setPanelText(2, "Found - " + countText(main_.listlinks.ListCount()) + " links");
}

void LinkCollection::GatherLinks(const PageDocument* document) {
  // The engine's error page has no links of the site.
  if (!document || isEnginePage(*document)) return;
  const std::string& filter = main_.Combo1.Text();
  if (document->bodyTagName == "BODY") {
    for (const PageLink& link : document->links) {
      // Rows hold addresses escaped, so the escaped address is looked for.
      // A link that is not followed from the report (javascript:, tel:)
      // links to "#" and keeps its own address in the row's title.
      const std::string shownAddress = pageAddress(link.href);
      const std::string escapedAddress = pageText(link.href);
      if (reportRows_.anyRowContains(escapedAddress)) continue;
      const std::string& text = link.outerText.empty() ? link.href : link.outerText;
      // The filter reads the row as the page gives it, before escaping.
      const std::string testRow = "<a href='" + link.href + "'>" + text + "</a><br>";
      if (!filter.empty() && !containsIgnoringCase(testRow, filter)) continue;
      const std::string title =
          shownAddress == escapedAddress ? "" : " title='" + escapedAddress + "'";
      std::string row =
          "<a href='" + shownAddress + "'" + title + ">" + pageText(text) + "</a><br>";
      reportRows_.add(row);
      newRows_.push_back(std::move(row));
      newLinks_.push_back(link.href);
    }
  }
  // An unreadable frame has no document and is skipped.
  for (const PageFrame& frame : document->frames) GatherLinks(frame.document.get());
}

void LinkCollection::flushGathered() {
  // One change per list, so a view redraws once for thousands of links.
  main_.List3.AddItems(std::move(newRows_));
  main_.listlinks.AddItems(newLinks_);
  main_.List7.AddItems(std::move(newLinks_));
  newRows_.clear();
  newLinks_.clear();
}

void LinkCollection::CrawlNext() {
  Browser& pane = main_.WebBrowser4.browser();
  while (main_.listlinks.ListCount() > 0 && !pane.Busy()) {
    const std::string address = main_.listlinks.List(0);
    main_.listlinks2.AddItem(address);
    main_.listlinks.RemoveItem(0);
    // Only web pages are loaded; any other address is passed over as visited.
    if (!text::isWebAddress(address)) continue;
    pane.Navigate(address);
    Timer9.setEnabled(true);
    main_.StatusBar1.setPanelText(1, pane.LocationURL());
    return;
  }
}

void LinkCollection::CrawlPage(const PageDocument* document) {
  // The image buffer sorts the page: pictures to the buffer, links queued.
  if (document && main_.pictureCollector) main_.pictureCollector->crawlPage(*document);
}

void LinkCollection::WebBrowser4_NavigateComplete() {
  Browser& pane = main_.WebBrowser4.browser();
  try {
    const auto document = pane.Document();
    if (document) {
      CrawlPage(document.get());
      pane.Stop();
    }
  } catch (const std::exception&) {
    // A page that cannot be read contributes nothing.
  }
  CrawlNext();
}

void LinkCollection::Timer9_Timer() {
  Timer9.setEnabled(false);
  main_.WebBrowser4.browser().Stop();
  CrawlNext();
}

void LinkCollection::listlinks_DblClick() {
  const int selected = main_.listlinks.ListIndex();
  if (selected < 0 || selected >= main_.listlinks.ListCount()) return;
  main_.listlinks2.AddItem(main_.listlinks.List(selected));
  main_.listlinks.RemoveItem(selected);
  main_.StatusBar1.setPanelText(
      3, " Here live only " + countText(main_.listlinks.ListCount()) + " links ! ");
}

void LinkCollection::Command1_Click() {
  main_.WebBrowser1.browser().Stop();
  main_.listlinks.Clear();
  main_.StatusBar1.setPanelText(3, "Links listing is clear ! ");
  hideLinksList();
}

void LinkCollection::hideLinksList() {
  main_.listlinks.setVisible(false);
  Command1.setVisible(false);
}

void LinkCollection::viewlinkslisting_Click() {
  if (main_.listlinks.Visible()) {
    hideLinksList();
    return;
  }
  main_.listlinks.setVisible(true);
  Command1.setVisible(true);
  main_.domain.setVisible(false);
}

void LinkCollection::stop() {
  Timer9.setEnabled(false);
  main_.WebBrowser4.browser().Stop();
}

}  // namespace vendaro
