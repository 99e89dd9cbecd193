#include "browse/Favorites.h"

#include <algorithm>
#include <string>

#include "common/TextFile.h"
#include "platform/AppFolder.h"

namespace vendaro {
namespace {

constexpr const char* kPrivateFavoritesFile = "\\favor.prv";
constexpr const char* kPublicFavoritesFile = "\\favor2.txt";

// The saved-list format: a double quote, every entry and CR LF, a double quote, CR LF.
std::string listFileText(const ListControl& list) {
  std::string text = "\"";
  for (const auto& entry : list.items()) text += entry + std::string(kCrLf);
  return text + "\"" + std::string(kCrLf);
}

}  // namespace

Favorites::Favorites(SavedLists& saved, const BrowsingZone& zone, PaneNavigator& panes,
                     StatusText& status, const MainWindowOffers& offers, Dialogs& dialogs,
                     std::filesystem::path appFolder)
    : saved_(saved),
      zone_(zone),
      panes_(panes),
      status_(status),
      offers_(offers),
      dialogs_(dialogs),
      appFolder_(std::move(appFolder)) {}

void Favorites::recordVisitedDomain(ListControl& history, const PageDocument& document) {
  if (document.domain.empty()) return;
  if (showingOwnPage && showingOwnPage()) return;
  const auto& entries = history.items();
  if (std::find(entries.begin(), entries.end(), document.domain) != entries.end()) return;
  history.AddItem(document.domain);
}

ListControl& Favorites::zoneFavorites() {
  return zone_.inPrivateZone ? saved_.favorit : saved_.favorit2;
}

ListControl& Favorites::zoneHistory() {
  return zone_.inPrivateZone ? saved_.domain : saved_.domain2;
}

void Favorites::add_Click() {
  ListControl& list = zoneFavorites();
  const std::string address = panes_.WebBrowser1.browser().LocationURL();
  list.AddItem(address);
  status_.show(1, "Added to Your Favorites: " + address);
  writeFavorites(list);
  list.setVisible(false);
}

void Favorites::Picture9_Click() {
  toggleList(zoneFavorites());
}

void Favorites::Picture10_Click() {
  toggleList(zoneHistory());
}

void Favorites::toggleList(ListControl& list) {
  const bool show = !list.Visible();
  for (ListControl* each : {&saved_.favorit, &saved_.favorit2, &saved_.domain, &saved_.domain2}) {
    each->setVisible(show && each == &list);
  }
}

void Favorites::openFavorite(ListControl& list) {
  navigateShownPane(list.List(list.ListIndex()));
}

void Favorites::openInMainPane(ListControl& list) {
  const std::string address = list.List(list.ListIndex());
  if (!address.empty()) panes_.WebBrowser1.browser().Navigate(address);
}

void Favorites::navigateShownPane(const std::string& address) {
  if (address.empty()) return;
  for (BrowserPane* pane : {&panes_.WebBrowser1, &panes_.WebBrowser5}) {
    if (pane->Visible()) pane->browser().Navigate(address);
  }
}

void Favorites::deleteEntry(ListControl& list) {
  if (list.ListIndex() < 0) return;
  list.RemoveItem(list.ListIndex());
  if (&list == &saved_.favorit || &list == &saved_.favorit2) writeFavorites(list);
}

void Favorites::writeFavorites(const ListControl& list) {
  const char* name = &list == &saved_.favorit ? kPrivateFavoritesFile : kPublicFavoritesFile;
  const std::string problem = offers_.setAsideList ? offers_.setAsideList(name) : std::string();
  if (!problem.empty()) {
    if (toldAbout_.insert(name).second) {
      dialogs_.MsgBox(
          "Your favorites could not be saved, so this change lasts only until Vendaro "
          "closes. The saved list was set aside at start because it could not be "
          "read:\n" +
              problem +
              "\nRepair or move that file away, then start Vendaro again to save "
              "favorites.",
          MessageButtons::Ok, MessageIcon::Exclamation);
    }
    return;
  }
  // A file that cannot be written is left as it was; the list keeps the change.
  (void)writeWholeFile(appFile(appFolder_, name), listFileText(list));
}

}  // namespace vendaro
