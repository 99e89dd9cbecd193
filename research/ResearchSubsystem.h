#pragma once

#include "common/CommandLine.h"
#include "common/Workbench.h"

namespace vendaro {

class QtToolWindowSlots;

// The form names of the windows that show the links list and the report list.
inline constexpr const char* kLinksListForm = "listlinks";
inline constexpr const char* kReportListForm = "List3";

// The web research plugged into the workbench: the Finder and View menu
// entries, the toolbar's image collection, the stop command and status
// panel 3 run its commands, and the buttons and double clicks of the two
// lists run theirs by designer name. The window side shows each list while
// it is visible; the command line offers `links` and `find`.
void registerResearchCommands(Workbench& workbench);
void registerResearchWindows(Workbench& workbench, QtToolWindowSlots& windows);
void addResearchCommandLine(CommandLine& commandLine);

}  // namespace vendaro
