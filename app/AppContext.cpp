#include "app/AppContext.h"

#include "platform/AppFolder.h"

namespace vendaro {

void AppContext::readSections(const SettingsFile& file) {
  vendor = VendorSettings::read(file);
  store = StoreSettings::read(file);
  mail = MailSettings::read(file);
  programs = ProgramSettings::read(file);
  folders = FolderSettings::read(file);
  privateZone = PrivateZoneSettings::read(file);
  translation = TranslationSettings::read(file);
  searchEngines = SearchEngineSettings::read(file);
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
    const SettingsFile file = SettingsFile::load(context.folder);
    context.readSections(file);
    for (const auto& unknown : file.unreadKeys()) {
      errors << "vendaro: warning: " << unknown << " is ignored\n";
    }
  } catch (const SettingsError& error) {
    errors << "vendaro: the settings cannot be read: " << error.what() << "\n";
    return std::nullopt;
  }
  return context;
}

}  // namespace vendaro
