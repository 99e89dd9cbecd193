#include "platform/CommandRegistry.h"

#include <stdexcept>
#include <utility>

namespace vendaro {

void CommandRegistry::add(const std::string& name, Command command) {
  if (!commands_.emplace(name, std::move(command)).second) {
    throw std::logic_error("the menu or toolbar command \"" + name + "\" is registered twice");
  }
}

void CommandRegistry::add(const std::string& name, Command command, const MenuPlace& place) {
  add(name, std::move(command));
  if (placeInMenu) placeInMenu(name, place);
}

void CommandRegistry::replace(const std::string& name, Command command) {
  const auto found = commands_.find(name);
  if (found == commands_.end()) {
    throw std::logic_error("the menu or toolbar command \"" + name + "\" is not there to replace");
  }
  found->second = std::move(command);
}

bool CommandRegistry::run(const std::string& name) const {
  const auto found = commands_.find(name);
  if (found == commands_.end() || !found->second) return false;
  // A copy: the command may close the window that registered it while it runs.
  const Command command = found->second;
  command();
  return true;
}

}  // namespace vendaro
