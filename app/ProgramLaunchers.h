#pragma once

#include <string>

#include "app/ProgramSettings.h"
#include "platform/Dialogs.h"
#include "platform/Launcher.h"

namespace vendaro {

// The outside programs the toolbar and the Vendaro menu start: the mail
// program, the publisher and the calculator, each from its setting in
// [programs]. An empty calculator setting takes the first of the usual
// desktop calculators that is installed. A program that cannot be started
// is reported with the setting to change; the workbench goes on.
class ProgramLaunchers {
 public:
  static constexpr const char* kCalculators[] = {"gnome-calculator", "kcalc", "galculator",
                                                 "xcalc"};

  ProgramLaunchers(Launcher& launcher, Dialogs& dialogs, const ProgramSettings& settings)
      : launcher_(launcher), dialogs_(dialogs), settings_(settings) {}

  void startMailProgram();  // Picture19
  void startPublisher();    // Picture20 and "Publishing"
  void startCalculator();   // Picture21

  // The program a click starts for the calculator.
  std::string calculator() const;

 private:
  void start(const std::string& program, const char* settingKey);

  Launcher& launcher_;
  Dialogs& dialogs_;
  const ProgramSettings& settings_;
};

}  // namespace vendaro
