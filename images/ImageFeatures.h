#pragma once

#include <filesystem>
#include <functional>
#include <string>

#include "common/ports/MainWindowPorts.h"
#include "common/ports/PictureCollector.h"
#include "images/AdultListing.h"
#include "images/Catalogs.h"
#include "images/ImageBuffer.h"
#include "platform/Dialogs.h"

namespace vendaro {

// The image buffer, the catalogs and the adult listing of the main window,
// and what its panes hand them: the pictures of every completed page, clicks
// on links to pictures, and the pages of the second pane in the private zone.
class ImageFeatures : public PictureCollector {
 public:
  // Pages go into `outputFolder`; the adult listing opens with `parentalPassword`.
  // The main window's ports the features use; the catalogs take their names
  // from the keyword bar.
  struct Ports {
    SavedLists& saved;
    ResearchLists& research;
    StatusText& status;
    PaneNavigator& panes;
    ListControl& keywordBar;
    const BrowsingZone& zone;

    static Ports of(const MainWindowPorts& window) {
      return {window.saved, window.research,    window.status,
              window.panes, window.bars.Combo1, window.zone};
    }
  };

  ImageFeatures(Ports ports, Dialogs& dialogs, const std::filesystem::path& outputFolder,
                const std::string& parentalPassword);

  // Gathers the pictures of a page and its frames into the buffer; while
  // links are gathered, its other links join the links list.
  void collectPageImages(const PageDocument& document) override { CollectPageImages(document); }
  // A click in a page: the picture a link points to leaves the buffer, goes
  // to the catalog in use and, from the main pane, to the store wizard.
  void addToCatalog(const DocumentEvent& click, bool mainPane) override;
  // The second pane shows only the pictures of each page it loads in the
  // private zone.
  void privateZonePageCompleted(FrameLevel level) override;
  void crawlPage(const PageDocument& document) override { CrawlPage(document); }

  void CollectPageImages(const PageDocument& document);
  // Sorts the links and pictures of a crawled page (and its frames): links
  // to pictures and pictures go to the buffer, other links are queued.
  void CrawlPage(const PageDocument& document);
  // Queues a link for the crawler unless it is excluded, queued or visited.
  void QueueCrawlLink(const std::string& address);

  // Hands a clicked picture's address to the store wizard's picture box when
  // the wizard is open; set by the window side, may be empty.
  std::function<void(const std::string& address)> offerToStoreWizard;

  ImageBuffer buffer;
  Catalogs catalogs;
  AdultListing adultListing;

 private:
  // Each link of a page to the buffer when it points to a picture, else to `other`.
  void sortPage(const PageDocument& document, const std::function<void(const std::string&)>& other);
  bool showsOnlyTheBuffer(const PageDocument& document) const;

  SavedLists& saved_;
  const ResearchLists& lists_;
  StatusText& status_;
  PaneNavigator& panes_;
};

}  // namespace vendaro
