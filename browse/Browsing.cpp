#include "browse/Browsing.h"

#include <memory>
#include <string>

#include "browse/Translation.h"

namespace vendaro {

Browsing::Browsing(Workbench& workbench)
    : privateZoneSettings(PrivateZoneSettings::read(workbench.context.settings)),
      translationSettings(TranslationSettings::read(workbench.context.settings)),
      favorites(workbench.mainWindow, workbench.dialogs, workbench.appFolder),
      lists(workbench.mainWindow, workbench.dialogs, workbench.loop, workbench.context.vendor),
      homePages(workbench.mainWindow, workbench.context.vendor),
      zone(workbench.mainWindow, workbench.dialogs, workbench.context.vendor, privateZoneSettings,
           lists),
      startPage(workbench.mainWindow.WebBrowser1.browser(), workbench.context.vendor,
                workbench.commands, workbench.loop),
      workbench_(workbench) {
  MainWindowControls& main = workbench.mainWindow;
  main.visitRecorder = &favorites;
  main.enterPrivateZone = [this] { zone.toggle(); };
  favorites.showingOwnPage = [this] { return startPage.shown(); };
  homePages.onVendorUnreachable = [this] { startPage.show(); };
  registerCommands(workbench.commands);
}

Browsing::~Browsing() {
  MainWindowControls& main = workbench_.mainWindow;
  if (main.visitRecorder == &favorites) main.visitRecorder = nullptr;
  main.enterPrivateZone = nullptr;
}

void Browsing::registerCommands(CommandRegistry& commands) {
  commands.add("add", [this] { favorites.add_Click(); }, {"nav", 120, "Add favorites"});
  commands.add("Picture9", [this] { favorites.Picture9_Click(); });
  commands.add("Picture10", [this] { favorites.Picture10_Click(); });
  commands.add("history", [this] { favorites.Picture10_Click(); }, {"nav", 90, "History"});
  commands.add("Picture11", [this] { lists.Picture11_Click(); });
  commands.add("chann", [this] { lists.Picture11_Click(); }, {"nav", 100, "Channels"});
  commands.add("Picture8", [this] { lists.Picture8_Click(); });
  commands.add("Picture24", [this] { homePages.Picture24_MouseUp(); });
  commands.add("privatte", [this] { zone.toggle(); }, {"nav", 110, "Private"});
  commands.add("Picture14", [this] { zone.toggle(); });
  int place = 0;
  for (const auto& pair : kTranslationPairs) {
    const std::string code = pair.code;
    commands.add(
        code,
        [this, code] { translateAddressBar(workbench_.mainWindow, translationSettings, code); },
        {"tr", place += 10, pair.caption});
  }
  registerListCommands(commands);
}

// The list boxes' mouse events, by the list's designer name: "_RightButton"
// opens the selected entry, "_DblClick" deletes it.
void Browsing::registerListCommands(CommandRegistry& commands) {
  MainWindowControls& main = workbench_.mainWindow;
  for (ListControl* list : {&main.favorit, &main.favorit2}) {
    const std::string name = list == &main.favorit ? "favorit" : "favorit2";
    commands.add(name + "_RightButton", [this, list] { favorites.openFavorite(*list); });
    commands.add(name + "_DblClick", [this, list] { favorites.deleteEntry(*list); });
  }
  for (ListControl* list : {&main.domain, &main.domain2}) {
    const std::string name = list == &main.domain ? "domain" : "domain2";
    commands.add(name + "_RightButton", [this, list] { favorites.openInMainPane(*list); });
    commands.add(name + "_DblClick", [this, list] { favorites.deleteEntry(*list); });
  }
  commands.add("List1_RightButton", [this, &main] { favorites.openInMainPane(main.List1); });
  commands.add("listlinks_RightButton",
               [this, &main] { favorites.openInMainPane(main.listlinks); });
}

Browsing& addBrowsing(Workbench& workbench) {
  return workbench.keep(std::make_unique<Browsing>(workbench));
}

}  // namespace vendaro
