#pragma once

#include "common/Workbench.h"

namespace vendaro {

class QtToolWindowSlots;

// The image buffer, catalogs and adult listing plugged into the workbench:
// the main window's panes hand them pages and clicks; the View and Finder
// menu entries and status panels 4 and 5 run their commands. The window side
// hands clicked pictures to the store wizard.
void registerImageCommands(Workbench& workbench);
void registerImageWindows(Workbench& workbench, QtToolWindowSlots& windows);

}  // namespace vendaro
