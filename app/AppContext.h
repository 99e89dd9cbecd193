#pragma once

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>

#include "app/ProgramSettings.h"
#include "browse/PrivateZoneSettings.h"
#include "browse/TranslationSettings.h"
#include "common/VendorSettings.h"
#include "platform/FolderSettings.h"
#include "platform/MailSettings.h"
#include "platform/SettingsFile.h"
#include "store/StoreSettings.h"
#include "submit/SearchEngineSettings.h"

namespace vendaro {

// The exit code of a run that could not start or do its job.
constexpr int kExitError = 2;

// What every command of the program starts from: the application folder and
// each subsystem's section of the settings, read and checked at start so a
// bad value stops the program before anything uses it. A subsystem takes its
// own section; a new one adds its struct here and one line to readSections.
struct AppContext {
  std::filesystem::path folder;
  VendorSettings vendor;
  StoreSettings store;
  MailSettings mail;
  ProgramSettings programs;
  FolderSettings folders;
  // Sections of the subsystems still to be built, checked already.
  PrivateZoneSettings privateZone;
  TranslationSettings translation;
  SearchEngineSettings searchEngines;

  // Fills every section from `file`; throws SettingsError on a bad value.
  void readSections(const SettingsFile& file);
};

// Resolves the application folder (`--app-folder` first, then the
// environment) and reads its settings. On failure writes a message that
// names the problem to `errors` and returns nothing; unknown keys are
// reported there as warnings.
std::optional<AppContext> openAppContext(const std::optional<std::string>& folderOption,
                                         std::ostream& errors);

}  // namespace vendaro
