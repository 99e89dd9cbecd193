#include "store/StoreSubsystem.h"

namespace vendaro {

void registerStoreCommands(Workbench& workbench) {
  workbench.commands.add("stgen", [&workbench] { workbench.windows.show(kWizardForm); });
}

}  // namespace vendaro
