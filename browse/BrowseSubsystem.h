#pragma once

#include "common/Workbench.h"

namespace vendaro {

class QtToolWindowSlots;

// The browsing subsystem plugged into the workbench: favorites, histories,
// channel and search lists, home pages, the private zone and translation.
void registerBrowseCommands(Workbench& workbench);
// On screen: the pop-up menus of the lists and the favorites and history
// lists over the browser pane.
void registerBrowseWindows(Workbench& workbench, QtToolWindowSlots& windows);
// Checks the [private_zone] and [translation] sections at start.
void checkBrowseSettings(const SettingsFile& settings);

}  // namespace vendaro
