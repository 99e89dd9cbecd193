#include "submit/SubmitSubsystem.h"

#include "submit/SearchEngineSettings.h"
#include "submit/Submittion.h"

namespace vendaro {

void registerSubmitCommands(Workbench& workbench) {
  workbench.commands.add("analise", [&workbench] { workbench.windows.show(Submittion::kFormName); },
                         {"submitt", 10, "Analysis"});
}

void checkSubmitSettings(const SettingsFile& file) {
  (void)SearchEngineSettings::read(file);
}

}  // namespace vendaro
