#include "app/ProgramLaunchers.h"

namespace vendaro {

void ProgramLaunchers::start(const std::string& program, const char* settingKey) {
  if (!program.empty() && launcher_.start(program, {})) return;
  const std::string shown = program.empty() ? "No program" : "The program \"" + program + "\"";
  dialogs_.MsgBox(shown + " could not be started. Set " + settingKey +
                      " in vendaro.toml to a program that is installed.",
                  MessageButtons::Ok, MessageIcon::Exclamation);
}

std::string ProgramLaunchers::calculator() const {
  if (!settings_.calculatorCommand.empty()) return settings_.calculatorCommand;
  for (const char* candidate : kCalculators) {
    if (launcher_.available(candidate)) return candidate;
  }
  return {};
}

void ProgramLaunchers::startMailProgram() {
  start(settings_.mailClientCommand, "[programs] mail_client");
}

void ProgramLaunchers::startPublisher() {
  start(settings_.publisherCommand, "[programs] publisher");
}

void ProgramLaunchers::startCalculator() {
  start(calculator(), "[programs] calculator");
}

}  // namespace vendaro
