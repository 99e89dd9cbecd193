#pragma once

#include <string>

#include "platform/settings/SettingsFile.h"

namespace vendaro {

// [programs]: the outside programs the main window's launchers start.
struct ProgramSettings {
  std::string mailClientCommand = "xdg-email";
  // Empty: the first installed of gnome-calculator, kcalc, galculator, xcalc.
  std::string calculatorCommand;
  std::string publisherCommand = "filezilla";

  static ProgramSettings read(const SettingsFile& file) {
    ProgramSettings settings;
    settings.mailClientCommand = file.text("programs", "mail_client", settings.mailClientCommand);
    settings.calculatorCommand = file.text("programs", "calculator", settings.calculatorCommand);
    settings.publisherCommand = file.text("programs", "publisher", settings.publisherCommand);
    return settings;
  }
};

}  // namespace vendaro
