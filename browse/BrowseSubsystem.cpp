#include "browse/BrowseSubsystem.h"

#include "browse/TranslationSettings.h"
#include "common/PrivateZoneSettings.h"

#include "browse/Browsing.h"

namespace vendaro {

void registerBrowseCommands(Workbench& workbench) {
  addBrowsing(workbench);
}

void checkBrowseSettings(const SettingsFile& settings) {
  (void)PrivateZoneSettings::read(settings);
  (void)TranslationSettings::read(settings);
}

}  // namespace vendaro
