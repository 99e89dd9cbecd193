#pragma once

#include <array>
#include <filesystem>
#include <string>

#include "common/ports/StatusText.h"
#include "platform/BrowserPane.h"
#include "platform/Dialogs.h"
#include "platform/controls/ListControl.h"

namespace vendaro {

// The main window's controls the catalogs read or change.
struct CatalogControls {
  ListControl& Combo1;  // the keyword box: its chosen entry picks the catalog
  StatusText& status;   // the status bar's text
  BrowserPane& WebBrowser1;
  BrowserPane& WebBrowser5;
  const bool& inPrivateZone;
};

// Which pane a picture was clicked in; each has its own prompt.
enum class ClickedPane { Main, Second };

// The picture catalogs: 21 pieces of HTML held in memory, the one in use
// chosen by the keyword box's selected entry. Pictures go only into the
// first 19; all 21 can be viewed, cleared and saved.
class Catalogs {
 public:
  static constexpr int kCount = 21;
  static constexpr int kAddable = 19;

  Catalogs(CatalogControls controls, Dialogs& dialogs, std::filesystem::path outputFolder);

  // Adds the address of a clicked link to the catalog in use and beeps.
  // Without a catalog in use, a link to a picture (`toPicture`) brings the
  // prompt to choose a catalog name into status panel 2, where it does not
  // stop the browsing; any other link is left to the page.
  void addPicture(const std::string& address, ClickedPane pane, bool toPicture);

  // "View catalog", "Clear catalog", "Save catalog".
  void viewcatalo_Click();
  void clearcatalog_Click();
  void savecatalog_Click();

  const std::string& catalog(int index) const {
    return catalogs_.at(static_cast<std::size_t>(index));
  }

 private:
  // The catalog in use, or null when the keyword box's entry chooses none.
  std::string* selected();

  CatalogControls c_;
  Dialogs& dialogs_;
  std::filesystem::path outputFolder_;
  std::array<std::string, kCount> catalogs_;
};

}  // namespace vendaro
