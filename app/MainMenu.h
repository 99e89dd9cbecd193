#pragma once

#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "platform/CommandRegistry.h"
#include "platform/controls/MenuItem.h"

namespace vendaro {

// The menu bar of the main window: every top-level menu and its entries under
// their designer names and captions, in order. The main window's own entries
// and the separators are made here; the subsystems declare theirs with their
// commands, each at its place (`placeEntry`). A separator line is an entry
// with the caption "-". Hidden menus are not shown in the bar; they serve as
// pop-up menus. Choosing an entry calls `onClick` with the entry's name.
class MainMenu {
 public:
  static constexpr const char* kSeparator = "-";

  MainMenu();
  MainMenu(const MainMenu&) = delete;
  MainMenu& operator=(const MainMenu&) = delete;

  int menuCount() const { return static_cast<int>(menus_.size()); }
  MenuItem& menu(int index) { return *menus_.at(static_cast<std::size_t>(index)); }
  const MenuItem& menu(int index) const { return *menus_.at(static_cast<std::size_t>(index)); }
  // The menu or entry named `name` at any depth, or null.
  MenuItem* find(const std::string& name);

  // Runs the command of the entry `name` (the view calls this when the user
  // chooses it). Separators and unknown names do nothing.
  void click(const std::string& name);

  // Puts an entry into its menu at its place among the entries there. A menu
  // that does not exist or a place already taken is a wiring fault of the
  // program: std::logic_error, at start-up.
  void placeEntry(const std::string& name, const MenuPlace& place);

  std::function<void(const std::string& name)> onClick;

 private:
  struct Entry {
    int place;
    const char* name;
    const char* caption;
  };
  using Entries = std::initializer_list<Entry>;

  MenuItem& addMenu(const std::string& name, const std::string& caption, bool visible = true);
  void addEntries(MenuItem& menu, Entries entries);

  std::vector<std::unique_ptr<MenuItem>> menus_;
  // The places of each menu's entries, in the order of `menus_` and of the entries.
  std::vector<std::vector<int>> places_;
};

}  // namespace vendaro
