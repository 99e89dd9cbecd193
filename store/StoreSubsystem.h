#pragma once

#include "common/CommandLine.h"
#include "common/Workbench.h"

namespace vendaro {

class QtToolWindowSlots;

// The store wizard's form name.
inline constexpr const char* kWizardForm = "Wizard1";

// The store subsystem plugged into the workbench: the menu entry "stgen"
// opens the store wizard; `vendaro generate` writes a project's site.
void registerStoreCommands(Workbench& workbench);
void registerStoreWindows(Workbench& workbench, QtToolWindowSlots& windows);
void addStoreCommandLine(CommandLine& commandLine);
void checkStoreSettings(const SettingsFile& settings);

}  // namespace vendaro
