#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/MenuItem.h"

namespace vendaro {

// The menu bar of the main window: every top-level menu and its entries under
// their designer names and captions, in order. A separator line is an entry
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

  std::function<void(const std::string& name)> onClick;

 private:
  MenuItem& addMenu(const std::string& name, const std::string& caption, bool visible = true);

  std::vector<std::unique_ptr<MenuItem>> menus_;
};

}  // namespace vendaro
