#include "research/LinkCollection.h"

#include <exception>

#include "common/NumberText.h"
#include "platform/Text.h"
#include "research/LinkGathering.h"

namespace vendaro {
namespace {

// Counts in the status bar carry the leading space of a number turned into text.
std::string countText(int count) {
  return numberText(std::int64_t{count});
}

}  // namespace

LinkCollection::LinkCollection(const ResearchPorts& ports, EventLoop& loop)
    : Timer9(loop, kWatchdogMs, false),
      saved_(ports.saved),
      lists_(ports.lists),
      status_(ports.status),
      panes_(ports.panes),
      hidden_(ports.hidden),
      keywords_(ports.keywords),
      hooks_(ports.hooks) {
  Command1.setVisible(false);
  saved_.listlinks.setVisible(false);
  Timer9.onTimer = [this] { Timer9_Timer(); };
  hidden_.WebBrowser4.onNavigateComplete = [this](FrameLevel level, const std::string&) {
    if (level == FrameLevel::TopLevel) WebBrowser4_NavigateComplete();
  };
  status_.onClick(3, [this] { viewlinkslisting_Click(); });
}

LinkCollection::~LinkCollection() {
  hidden_.WebBrowser4.onNavigateComplete = nullptr;
  status_.onClick(3, nullptr);
}

void LinkCollection::getlinks_Click() {
  status_.show(1, "Working...");
  lists_.List4.Clear();
  lists_.linksGathered = true;
  const auto page1 =
      panes_.WebBrowser1.Visible() ? panes_.WebBrowser1.browser().Document() : nullptr;
  const auto page5 =
      panes_.WebBrowser5.Visible() ? panes_.WebBrowser5.browser().Document() : nullptr;
  GatheredLinks found =
      gatherLinks({page1.get(), page5.get()}, lists_.List3.items(), keywords_.Text());
  // One change per list, so a view redraws once for thousands of links.
  lists_.List3.AddItems(std::move(found.rows));
  saved_.listlinks.AddItems(found.addresses);
  lists_.List7.AddItems(std::move(found.addresses));
  status_.show(1, "Done");
  status_.show(2, "Found - " + countText(saved_.listlinks.ListCount()) + " links");
}

void LinkCollection::CrawlNext() {
  Browser& pane = hidden_.WebBrowser4;
  while (saved_.listlinks.ListCount() > 0 && !pane.Busy()) {
    const std::string address = saved_.listlinks.List(0);
    lists_.listlinks2.AddItem(address);
    saved_.listlinks.RemoveItem(0);
    // Only web pages are loaded; any other address is passed over as visited.
    if (!text::isWebAddress(address)) continue;
    pane.Navigate(address);
    Timer9.setEnabled(true);
    status_.show(1, pane.LocationURL());
    return;
  }
}

void LinkCollection::CrawlPage(const PageDocument* document) {
  // The image buffer sorts the page: pictures to the buffer, links queued.
  if (document && hooks_.pictureCollector) hooks_.pictureCollector->crawlPage(*document);
}

void LinkCollection::WebBrowser4_NavigateComplete() {
  Browser& pane = hidden_.WebBrowser4;
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
  hidden_.WebBrowser4.Stop();
  CrawlNext();
}

void LinkCollection::listlinks_DblClick() {
  const int selected = saved_.listlinks.ListIndex();
  if (selected < 0 || selected >= saved_.listlinks.ListCount()) return;
  lists_.listlinks2.AddItem(saved_.listlinks.List(selected));
  saved_.listlinks.RemoveItem(selected);
  status_.show(3, " Here live only " + countText(saved_.listlinks.ListCount()) + " links ! ");
}

void LinkCollection::Command1_Click() {
  panes_.WebBrowser1.browser().Stop();
  saved_.listlinks.Clear();
  status_.show(3, "Links listing is clear ! ");
  hideLinksList();
}

void LinkCollection::hideLinksList() {
  saved_.listlinks.setVisible(false);
  Command1.setVisible(false);
}

void LinkCollection::viewlinkslisting_Click() {
  if (saved_.listlinks.Visible()) {
    hideLinksList();
    return;
  }
  saved_.listlinks.setVisible(true);
  Command1.setVisible(true);
  saved_.domain.setVisible(false);
}

void LinkCollection::stop() {
  Timer9.setEnabled(false);
  hidden_.WebBrowser4.Stop();
}

}  // namespace vendaro
