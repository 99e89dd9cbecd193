#include "app/AppContext.h"

#include "platform/AppFolder.h"

namespace vendaro {

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
    context.settings = Settings::load(context.folder);
  } catch (const SettingsError& error) {
    errors << "vendaro: the settings cannot be read: " << error.what() << "\n";
    return std::nullopt;
  }
  return context;
}

}  // namespace vendaro
