#pragma once

#include <filesystem>
#include <functional>
#include <set>
#include <string>

#include "common/ports/BrowsingZone.h"
#include "common/ports/MainWindowOffers.h"
#include "common/ports/PaneNavigator.h"
#include "common/ports/SavedLists.h"
#include "common/ports/StatusText.h"
#include "common/ports/VisitRecorder.h"
#include "platform/Dialogs.h"
#include "platform/controls/Geometry.h"

namespace vendaro {

// The favorites and history lists of both zones: recording the sites of
// completed pages, adding, showing, opening and deleting entries. The
// favorites files are written after every change.
class Favorites : public VisitRecorder {
 public:
  // Where a shown list sits over the browser pane.
  static constexpr Geometry kListPlace{0, 1200, 3800, 2200};
  // The line shown with a list, since its gestures are not the usual ones.
  static constexpr const char* kListHint = "Right button: open the entry. Double-click: delete it.";

  Favorites(SavedLists& saved, const BrowsingZone& zone, PaneNavigator& panes, StatusText& status,
            const MainWindowOffers& offers, Dialogs& dialogs, std::filesystem::path appFolder);

  // Adds the page's domain once; a page without a domain (a local file, an
  // error page, the program's own start page) adds nothing.
  void recordVisitedDomain(ListControl& history, const PageDocument& document) override;

  // "Add favorites": the address of WebBrowser1 joins the zone's favorites;
  // status panel 1 confirms it.
  void add_Click();
  // The favorites and history buttons: show the zone's list alone, or hide all.
  void Picture9_Click();
  void Picture10_Click();
  // Right button on a favorites list: opens its selected entry in the shown pane.
  void openFavorite(ListControl& list);
  // Right button on a history list, the found list or the links list: opens
  // the selected entry in WebBrowser1.
  void openInMainPane(ListControl& list);
  // Double-click: removes the selected entry (a favorites file is rewritten).
  void deleteEntry(ListControl& list);

  ListControl& zoneFavorites();
  ListControl& zoneHistory();

  // True while the program's own page is shown; such a page is not recorded.
  std::function<bool()> showingOwnPage;

 private:
  void toggleList(ListControl& list);
  // Writes the list's file, unless that file could not be read at start:
  // then it is left as it is and the user is told once what to do.
  void writeFavorites(const ListControl& list);
  void navigateShownPane(const std::string& address);

  SavedLists& saved_;
  const BrowsingZone& zone_;
  PaneNavigator& panes_;
  StatusText& status_;
  const MainWindowOffers& offers_;
  Dialogs& dialogs_;
  std::filesystem::path appFolder_;
  // The set-aside files the user has been told about.
  std::set<std::string> toldAbout_;
};

}  // namespace vendaro
