#include "app/MainMenu.h"

#include <algorithm>
#include <stdexcept>

namespace vendaro {
namespace {

MenuItem* findIn(MenuItem& item, const std::string& name) {
  if (item.name() == name) return &item;
  for (int i = 0; i < item.childCount(); ++i) {
    if (MenuItem* found = findIn(item.child(i), name)) return found;
  }
  return nullptr;
}

}  // namespace

// The main window's own entries and the separators, by place (in tens);
// the subsystems declare the other entries with their commands at the places
// between (see `CommandRegistry::add` with a `MenuPlace`).
MainMenu::MainMenu() {
  addEntries(addMenu("file", "File"), {{10, "open_file", "Open"},
                                       {20, "opcollect", "Open Collection"},
                                       {30, "save_file", "Save As"},
                                       {40, "www", kSeparator},
                                       {50, "pagesetup", "Page setup"},
                                       {60, "print", "Print"},
                                       {70, "rrr", kSeparator},
                                       {80, "exit", "Exit"}});
  addEntries(addMenu("edit", "Edit"), {{10, "copy", "Copy"}, {20, "selectall", "Select All"}});
  // Research: addlink 10, getlinks 20, findemail 40, findcontact 50, readit 60,
  // viewreport 80, readnext 90; images: createadultlisting 100, editadultlisting 110.
  addEntries(addMenu("finder", "Finder"), {{30, "fff", kSeparator}, {70, "hhh", kSeparator}});
  // Images: viewcatalo 10, clearcatalog 20, savecatalog 30, imagebuf 50,
  // cllearimagebuf 60, sreport 70; research: viewlinks 90, savereport 100,
  // listlisting 110, viewlinkslisting 120.
  addEntries(addMenu("view", "View"), {{40, "hhhh", kSeparator}, {80, "jjjj", kSeparator}});
  // Browsing: history 90, chann 100, privatte 110, add 120.
  MenuItem& nav = addMenu("nav", "Go");
  addEntries(nav, {{10, "back", "Go back"},
                   {20, "forward", "Go Forward"},
                   {30, "home", "Go Home"},
                   {40, "sear", "Go Search"},
                   {50, "yyy", kSeparator},
                   {60, "refresh", "Refresh"},
                   {70, "uuu", kSeparator},
                   {80, "search", "Search"}});
  find("search")->setVisible(false);
  addEntries(addMenu("chann2", "Channels", false),
             {{10, "mboard", "Motherboard"}, {20, "cpu", "CPU"}, {30, "mem", "Memory"}});
  // Browsing: the translation pairs, 10 to 100.
  addMenu("tr", "Translation");
  // Store: stgen 10; orders: orders 20, sales 30; forms: formgenerator 40;
  // editor: webeditor 60.
  addEntries(addMenu("scwizard", "Vendaro"),
             {{50, "pppp", kSeparator}, {70, "aaa", kSeparator}, {80, "pub_shng", "Publishing"}});
  // Submission: analise 10.
  addEntries(addMenu("submitt", "Submit"), {{20, "submitting", "Submitting"}});
  addEntries(addMenu("help", "Help"), {{10, "get_start", "Getting Started"},
                                       {20, "hic", "How can I..?"},
                                       {30, "special", "Customization"},
                                       {40, "ppp", kSeparator},
                                       {50, "about", "About"}});
  // The pop-up menus of the channel and search lists; the entries their
  // lists fill in at run time belong to the main window's list menus.
  addMenu("pub_search", "", false);
  addMenu("pub_chann", "", false);
  addMenu("priv_search", "", false);
  addMenu("priv_cann", "", false);
}

MenuItem& MainMenu::addMenu(const std::string& name, const std::string& caption, bool visible) {
  menus_.push_back(std::make_unique<MenuItem>(name, caption));
  menus_.back()->setVisible(visible);
  places_.emplace_back();
  return *menus_.back();
}

void MainMenu::addEntries(MenuItem& menu, Entries entries) {
  for (const auto& [place, name, caption] : entries)
    placeEntry(name, {menu.name(), place, caption});
}

void MainMenu::placeEntry(const std::string& name, const MenuPlace& place) {
  std::size_t index = 0;
  while (index < menus_.size() && menus_[index]->name() != place.menu) ++index;
  if (index == menus_.size()) {
    throw std::logic_error("the menu entry \"" + name + "\" names no menu \"" + place.menu + "\"");
  }
  std::vector<int>& places = places_[index];
  const auto at = std::lower_bound(places.begin(), places.end(), place.place);
  if (at != places.end() && *at == place.place) {
    throw std::logic_error("the menu entry \"" + name + "\" takes a place in \"" + place.menu +
                           "\" that is taken");
  }
  menus_[index]->insertChild(static_cast<int>(at - places.begin()), name, place.caption);
  places.insert(at, place.place);
}

MenuItem* MainMenu::find(const std::string& name) {
  for (auto& menu : menus_) {
    if (MenuItem* found = findIn(*menu, name)) return found;
  }
  return nullptr;
}

void MainMenu::click(const std::string& name) {
  const MenuItem* item = find(name);
  if (item == nullptr || item->Caption() == kSeparator || !onClick) return;
  onClick(name);
}

}  // namespace vendaro
