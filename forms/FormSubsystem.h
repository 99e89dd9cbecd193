#pragma once

#include "common/CommandLine.h"
#include "common/Workbench.h"

namespace vendaro {

class QtToolWindowSlots;

// The form creator's form name.
inline constexpr const char* kFormCreatorForm = "Settings";

// The form creator plugged into the workbench: the menu entry
// "formgenerator" opens it; `vendaro form-page`, `vendaro get-responses` and
// `vendaro responses` run headless.
void registerFormCommands(Workbench& workbench);
void registerFormWindows(Workbench& workbench, QtToolWindowSlots& windows);
void addFormCommandLine(CommandLine& commandLine);

}  // namespace vendaro
