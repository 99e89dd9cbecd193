#include "forms/FormSubsystem.h"

namespace vendaro {

void registerFormCommands(Workbench& workbench) {
  workbench.commands.add("formgenerator",
                         [&workbench] { workbench.windows.show(kFormCreatorForm); },
                         {"scwizard", 40, "Form Generator"});
}

}  // namespace vendaro
