#include "images/ImageFeatures.h"

#include <algorithm>
#include <array>
#include <exception>

#include "common/EnginePages.h"
#include "common/NumberText.h"
#include "common/TextSearch.h"
#include "images/PageFiles.h"

namespace vendaro {
namespace {

// Addresses the crawler never follows (letter case ignored).
constexpr std::array<const char*, 10> kNotCrawled = {
    "secur", "edu", "member", "mailto", "/~", "support", "signup", "aggre", "pl", "merchant"};

bool pointsToPicture(const std::string& address) {
  return containsIgnoringCase(address, ".jpg") || containsIgnoringCase(address, ".gif");
}

bool holds(const ListControl& list, const std::string& entry) {
  const auto& items = list.items();
  return std::find(items.begin(), items.end(), entry) != items.end();
}

}  // namespace

ImageFeatures::ImageFeatures(Ports ports, Dialogs& dialogs,
                             const std::filesystem::path& outputFolder,
                             const std::string& parentalPassword)
    : buffer({ports.saved.List2, ports.status, ports.panes.WebBrowser1, ports.zone.inPrivateZone},
             dialogs, outputFolder),
      catalogs({ports.keywordBar, ports.status, ports.panes.WebBrowser1, ports.panes.WebBrowser5,
                ports.zone.inPrivateZone},
               dialogs, outputFolder),
      adultListing({ports.saved.listlinks, ports.research.List4, ports.saved.domain}, dialogs,
                   parentalPassword),
      saved_(ports.saved),
      lists_(ports.research),
      status_(ports.status),
      panes_(ports.panes) {}

void ImageFeatures::sortPage(const PageDocument& document,
                             const std::function<void(const std::string&)>& other) {
  if (isEnginePage(document)) return;
  if (document.bodyTagName == "BODY") {
    for (const PageLink& link : document.links) {
      if (pointsToPicture(link.href)) {
        buffer.AddBufferImage(link.href);
      } else {
        other(link.href);
      }
    }
    for (const PageImage& image : document.images) buffer.AddBufferImage(image.src);
  }
  // An unreadable frame has no document and is passed over.
  for (const PageFrame& frame : document.frames) {
    if (frame.document) sortPage(*frame.document, other);
  }
}

void ImageFeatures::CollectPageImages(const PageDocument& document) {
  sortPage(document, [this](const std::string& address) {
    if (lists_.linksGathered) QueueCrawlLink(address);
  });
  buffer.showCount();
}

void ImageFeatures::CrawlPage(const PageDocument& document) {
  sortPage(document, [this](const std::string& address) { QueueCrawlLink(address); });
  status_.show(2,
               "Found - " + numberText(std::int64_t{saved_.listlinks.ListCount()}) + " links  ! ");
  buffer.showCount();
}

void ImageFeatures::QueueCrawlLink(const std::string& address) {
  for (const char* excluded : kNotCrawled) {
    if (containsIgnoringCase(address, excluded)) return;
  }
  if (holds(saved_.listlinks, address) || holds(lists_.listlinks2, address)) return;
  saved_.listlinks.AddItem(address);
}

void ImageFeatures::addToCatalog(const DocumentEvent& click, bool mainPane) {
  // Only a link names a picture; a click anywhere else is left to the page.
  if (click.href.empty()) return;
  for (int i = saved_.List2.ListCount() - 1; i >= 0; --i) {
    if (saved_.List2.List(i) == click.href) saved_.List2.RemoveItem(i);
  }
  if (mainPane && offerToStoreWizard) offerToStoreWizard(click.href);
  catalogs.addPicture(click.href, mainPane ? ClickedPane::Main : ClickedPane::Second,
                      pointsToPicture(click.href));
}

bool ImageFeatures::showsOnlyTheBuffer(const PageDocument& document) const {
  if (!document.links.empty() || !document.frames.empty()) return false;
  const bool headed =
      std::any_of(document.all.begin(), document.all.end(), [](const auto& element) {
        return element.tagName == "FONT" && element.outerText == "Report";
      });
  if (!headed) return false;
  const auto& entries = saved_.List2.items();
  return std::equal(
      document.images.begin(), document.images.end(), entries.begin(), entries.end(),
      [](const PageImage& image, const std::string& entry) { return image.src == entry; });
}

void ImageFeatures::privateZonePageCompleted(FrameLevel level) {
  // The whole page is sorted once it has completed, frames included.
  if (level != FrameLevel::TopLevel) return;
  Browser& pane = panes_.WebBrowser5.browser();
  try {
    const auto document = pane.Document();
    // The buffer page written below completes too; sorting it again would
    // give the same page, so it ends here.
    if (document && showsOnlyTheBuffer(*document)) return;
    saved_.List2.Clear();
    if (document) CrawlPage(*document);
    pane.Stop();
    buffer.ShowBufferPage(pane);
  } catch (const std::exception&) {
    // Errors end the handler quietly.
  }
}

}  // namespace vendaro
