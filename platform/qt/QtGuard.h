#pragma once

#include <functional>
#include <string>

namespace vendaro {

// Runs model code called from Qt (a slot, a posted task, a page-script
// answer). Whatever it throws is reported, never passed on: an exception
// must not unwind through Qt's event loop and end the program. With a widget
// application the report is a message box, else a line on standard error.
void runGuarded(const std::function<void()>& handler) noexcept;

// Reports an error that stopped a command, as runGuarded does.
void reportCommandError(const std::string& description) noexcept;

}  // namespace vendaro
