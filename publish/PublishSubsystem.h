#pragma once

#include "common/CommandLine.h"
#include "common/Workbench.h"

namespace vendaro {

class QtToolWindowSlots;

// The publish window's form name.
inline constexpr const char* kPublishForm = "frmPublish";

void registerPublishCommands(Workbench& workbench);
void registerPublishWindows(Workbench& workbench, QtToolWindowSlots& windows);
void addPublishCommandLine(CommandLine& commandLine);

}  // namespace vendaro
