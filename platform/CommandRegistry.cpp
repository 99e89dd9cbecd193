#include "platform/CommandRegistry.h"

#include <utility>

namespace vendaro {

void CommandRegistry::add(const std::string& name, Command command) {
  commands_[name] = std::move(command);
}

bool CommandRegistry::run(const std::string& name) const {
  const auto found = commands_.find(name);
  if (found == commands_.end() || !found->second) return false;
  // A copy: the command may replace its own registration while it runs.
  const Command command = found->second;
  command();
  return true;
}

}  // namespace vendaro
