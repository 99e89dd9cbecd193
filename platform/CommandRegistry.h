#pragma once

#include <functional>
#include <map>
#include <string>

namespace vendaro {

// Where a command's entry stands in the main menu: the menu's designer name,
// the entry's place among that menu's entries (shown lowest first; the main
// window numbers its own entries in tens) and its caption.
struct MenuPlace {
  std::string menu;
  int place = 0;
  std::string caption = {};
};

// The commands of the menus and the toolbar, by the designer name of the entry
// or button that runs them. The main window registers its own commands and
// each subsystem registers its own; the menu bar and the toolbar only look a
// name up. A name nobody registered does nothing.
class CommandRegistry {
 public:
  using Command = std::function<void()>;

  CommandRegistry() = default;
  CommandRegistry(const CommandRegistry&) = delete;
  CommandRegistry& operator=(const CommandRegistry&) = delete;

  // Registers `command` under `name`. A name registered twice is a wiring
  // fault of the program (one entry would silently lose its command), so it
  // throws std::logic_error naming the entry, at start-up.
  void add(const std::string& name, Command command);
  // Registers `command` and declares its entry in the main menu at `place`:
  // a subsystem brings its menu entries with its commands.
  void add(const std::string& name, Command command, const MenuPlace& place);
  // Puts `command` in place of the one registered under `name`: a subsystem
  // that takes over an entry of the main window says so. A name not
  // registered yet throws std::logic_error.
  void replace(const std::string& name, Command command);
  // Runs the command of `name`; false when there is none.
  bool run(const std::string& name) const;
  bool has(const std::string& name) const { return commands_.count(name) != 0; }

  // Puts a declared entry into the menu bar; set by the main window before
  // any subsystem registers. Unset (no menu bar), entries are not shown.
  std::function<void(const std::string& name, const MenuPlace& place)> placeInMenu;

 private:
  std::map<std::string, Command> commands_;
};

}  // namespace vendaro
