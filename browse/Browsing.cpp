#include "browse/Browsing.h"

#include <memory>
#include <string>

#include "browse/Translation.h"

namespace vendaro {
namespace {

// The name the browsing features' steps go by in the main window's hooks.
constexpr const char* kHookName = "browse";

}  // namespace

Browsing::Browsing(Workbench& workbench)
    : privateZoneSettings(PrivateZoneSettings::read(workbench.context.settings)),
      translationSettings(TranslationSettings::read(workbench.context.settings)),
      favorites(workbench.mainWindow.saved, workbench.mainWindow.zone, workbench.mainWindow.panes,
                workbench.mainWindow.status, workbench.mainWindow.offers, workbench.dialogs,
                workbench.appFolder),
      lists({workbench.mainWindow.transfers, workbench.mainWindow.status,
             workbench.mainWindow.panes, workbench.mainWindow.zone,
             workbench.mainWindow.bars.Combo2, workbench.mainWindow.offers},
            workbench.dialogs, workbench.loop, workbench.context.vendor),
      homePages(workbench.mainWindow.transfers, workbench.mainWindow.saved.List6,
                workbench.mainWindow.panes, workbench.context.vendor),
      zone({workbench.mainWindow.zone, workbench.mainWindow.bars.Combo2,
            workbench.mainWindow.status, workbench.mainWindow.panes, workbench.mainWindow.offers},
           workbench.dialogs, workbench.context.vendor, privateZoneSettings, lists),
      startPage(workbench.mainWindow.panes.WebBrowser1.browser(), workbench.context.vendor,
                workbench.commands, workbench.loop),
      workbench_(workbench) {
  MainWindowHooks& hooks = workbench.mainWindow.hooks;
  hooks.visitRecorder = &favorites;
  hooks.enterPrivateZone = [this] { zone.toggle(); };
  // The vendor's public lists and home pages are fetched as the window loads.
  hooks.onLoad[kHookName] = [this] {
    lists.loadPublicLists();
    homePages.load();
  };
  hooks.onUnload[kHookName] = [this] { lists.removeRunTimeMenuEntries(); };
  favorites.showingOwnPage = [this] { return startPage.shown(); };
  homePages.onVendorUnreachable = [this] { startPage.show(); };
  registerCommands(workbench.commands);
}

Browsing::~Browsing() {
  MainWindowHooks& hooks = workbench_.mainWindow.hooks;
  if (hooks.visitRecorder == &favorites) hooks.visitRecorder = nullptr;
  hooks.enterPrivateZone = nullptr;
  hooks.onLoad.erase(kHookName);
  hooks.onUnload.erase(kHookName);
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
    commands.add(code,
                 [this, code] {
                   translateAddressBar(workbench_.mainWindow.bars.Combo2,
                                       workbench_.mainWindow.panes, translationSettings, code);
                 },
                 {"tr", place += 10, pair.caption});
  }
  registerListCommands(commands);
}

// The list boxes' mouse events, by the list's designer name: "_RightButton"
// opens the selected entry, "_DblClick" deletes it.
void Browsing::registerListCommands(CommandRegistry& commands) {
  SavedLists& saved = workbench_.mainWindow.saved;
  for (ListControl* list : {&saved.favorit, &saved.favorit2}) {
    const std::string name = list == &saved.favorit ? "favorit" : "favorit2";
    commands.add(name + "_RightButton", [this, list] { favorites.openFavorite(*list); });
    commands.add(name + "_DblClick", [this, list] { favorites.deleteEntry(*list); });
  }
  for (ListControl* list : {&saved.domain, &saved.domain2}) {
    const std::string name = list == &saved.domain ? "domain" : "domain2";
    commands.add(name + "_RightButton", [this, list] { favorites.openInMainPane(*list); });
    commands.add(name + "_DblClick", [this, list] { favorites.deleteEntry(*list); });
  }
  ListControl& found = workbench_.mainWindow.research.List1;
  commands.add("List1_RightButton", [this, &found] { favorites.openInMainPane(found); });
  commands.add("listlinks_RightButton",
               [this, &saved] { favorites.openInMainPane(saved.listlinks); });
}

Browsing& addBrowsing(Workbench& workbench) {
  return workbench.keep(std::make_unique<Browsing>(workbench));
}

}  // namespace vendaro
