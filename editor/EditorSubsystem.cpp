#include "editor/EditorSubsystem.h"

namespace vendaro {

void registerEditorCommands(Workbench& workbench) {
  workbench.commands.add("webeditor", [&workbench] { workbench.windows.show(kWebEditorForm); },
                         {"scwizard", 60, "Web Editor"});
}

}  // namespace vendaro
