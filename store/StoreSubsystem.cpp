#include "store/StoreSubsystem.h"

#include "store/StoreSettings.h"

namespace vendaro {

void registerStoreCommands(Workbench& workbench) {
  workbench.commands.add("stgen", [&workbench] { workbench.windows.show(kWizardForm); },
                         {"scwizard", 10, "Store Generator"});
}

void checkStoreSettings(const SettingsFile& settings) {
  (void)StoreSettings::read(settings);
}

}  // namespace vendaro
