#pragma once

#include "common/CommandLine.h"
#include "common/Workbench.h"

namespace vendaro {

class QtToolWindowSlots;

// The order viewer's form name.
inline constexpr const char* kOrderViewerForm = "frmOrders";

// The order subsystem plugged into the workbench: the menu entry "orders"
// opens the order viewer, "sales" the sales overview; the store wizard's "E-Mail DB" tab gets its order
// intake from here; `vendaro get-orders` and `vendaro orders` run headless.
void registerOrderCommands(Workbench& workbench);
void registerOrderWindows(Workbench& workbench, QtToolWindowSlots& windows);
void addOrderCommandLine(CommandLine& commandLine);
// Checks [smtp], the server of the mails to customers.
void checkOrderSettings(const SettingsFile& settings);

}  // namespace vendaro
