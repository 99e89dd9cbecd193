#pragma once

#include "common/Workbench.h"

namespace vendaro {

class QtToolWindowSlots;

// The form name of the web editor window.
inline constexpr const char* kWebEditorForm = "MainForm";

// The web editor plugged into the workbench: the main window's "Web Editor"
// entry opens its window; the window side makes the window over a WebEngine
// editing surface and offers `openInWebEditor` to other subsystems.
void registerEditorCommands(Workbench& workbench);
void registerEditorWindows(Workbench& workbench, QtToolWindowSlots& windows);

}  // namespace vendaro
