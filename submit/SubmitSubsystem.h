#pragma once

#include "common/CommandLine.h"
#include "common/Workbench.h"

namespace vendaro {

class QtToolWindowSlots;

// The submission tool plugged into the workbench: the menu entry "analise"
// opens its window; `vendaro research` runs the keyword research headless;
// the [search_engines] section is checked at start.
void registerSubmitCommands(Workbench& workbench);
void registerSubmitWindows(Workbench& workbench, QtToolWindowSlots& windows);
void addSubmitCommandLine(CommandLine& commandLine);
void checkSubmitSettings(const SettingsFile& file);

}  // namespace vendaro
