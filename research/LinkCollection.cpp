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
  GatheredLinks found =
      gatherLinks({page1.get(), page5.get()}, main_.List3.items(), main_.Combo1.Text());
  // One change per list, so a view redraws once for thousands of links.
  main_.List3.AddItems(std::move(found.rows));
  main_.listlinks.AddItems(found.addresses);
  main_.List7.AddItems(std::move(found.addresses));
  main_.StatusBar1.setPanelText(1, "Done");
  main_.StatusBar1.setPanelText(2, "Found - " + countText(main_.listlinks.ListCount()) + " links");
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
