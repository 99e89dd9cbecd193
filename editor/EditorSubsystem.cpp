#include "editor/EditorSubsystem.h"

namespace vendaro {

void registerEditorCommands(Workbench& workbench) {
  workbench.commands.add("webeditor", [&workbench] { workbench.windows.show(kWebEditorForm); });
}

}  // namespace vendaro
