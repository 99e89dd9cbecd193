#pragma once

#include "common/CommandLine.h"
#include "common/Workbench.h"

namespace vendaro {

class QtToolWindowSlots;

// The subsystems the build plugs in (each folder declares itself with
// vendaro_subsystem() in its CMakeLists.txt; the build writes these calls).
// Each registers its menu and toolbar commands and the services it offers.
void registerSubsystemCommands(Workbench& workbench);
// Each registers its tool windows (the GUI build only).
void registerSubsystemWindows(Workbench& workbench, QtToolWindowSlots& windows);
// Each adds its headless commands to the program's command line.
void addSubsystemCommandLines(CommandLine& commandLine);
// Each checks its own section of the settings file (throws SettingsError).
void checkSubsystemSettings(const SettingsFile& settings);

}  // namespace vendaro
