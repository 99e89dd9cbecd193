#include "app/AppContext.h"

#include "app/ProgramSettings.h"
#include "app/Subsystems.h"
#include "platform/AppFolder.h"

namespace vendaro {

void readSections(AppContext& context) {
  const SettingsFile& file = context.settings;
  context.vendor = VendorSettings::read(file);
  context.mail = MailSettings::read(file);
  context.folders = FolderSettings::read(file);
  (void)ProgramSettings::read(file);
  checkSubsystemSettings(file);
}

std::optional<AppContext> openAppContext(const std::optional<std::string>& folderOption,
                                         std::ostream& errors) {
  AppContext context;
  try {
    context.folder = resolveAppFolder(folderOption, AppFolderEnvironment::fromProcess());
  } catch (const AppFolderError& error) {
    errors << "vendaro: " << error.what() << "\n";
    return std::nullopt;
  }
  try {
    context.settings = SettingsFile::load(context.folder);
    readSections(context);
    for (const auto& unknown : context.settings.unreadKeys()) {
      errors << "vendaro: warning: " << unknown << " is ignored\n";
    }
  } catch (const SettingsError& error) {
    errors << "vendaro: the settings cannot be read: " << error.what() << "\n";
    return std::nullopt;
  }
  return context;
}

}  // namespace vendaro
