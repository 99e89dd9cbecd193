// The `vendaro` program: without a command it opens the workbench window;
// commands run the same window models without a window.
#include <CLI/CLI.hpp>
#include <exception>
#include <iostream>
#include <optional>
#include <string>

#include "app/AppContext.h"
#include "app/Subsystems.h"
#include "app/WorkbenchView.h"

int main(int argc, char** argv) {
  CLI::App cli{
      "Vendaro: a workbench for small on-line merchants.\n"
      "Without a command it opens the workbench window.",
      "vendaro"};
  std::string appFolder;
  cli.add_option("--app-folder", appFolder,
                 "Folder of the program's files (default: $VENDARO_HOME, "
                 "else $XDG_DATA_HOME/vendaro)");
  bool answerYes = false;
  cli.add_flag("--yes", answerYes,
               "Answer Yes to the questions a command asks (without it: No, the safe answer)");
  cli.set_version_flag("--version", VENDARO_VERSION);
  cli.require_subcommand(0, 1);

  // Each subsystem adds its headless commands; the one chosen sets the job.
  vendaro::CommandLine commandLine(cli);
  vendaro::addSubsystemCommandLines(commandLine);

  try {
    cli.parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    // Help and version exit with 0; a mistake in the command line with 2.
    return cli.exit(error) == 0 ? 0 : vendaro::kExitError;
  }

  const std::optional<std::string> folderOption =
      appFolder.empty() ? std::nullopt : std::optional<std::string>(appFolder);
  auto context = vendaro::openAppContext(folderOption, std::cerr);
  if (!context) return vendaro::kExitError;
  if (answerYes) context->questionAnswer = vendaro::QuestionAnswer::Yes;
  const vendaro::CommandLine::Job& job = commandLine.job();
  if (!job) return vendaro::runWorkbench(*context);
  try {
    return job(*context);
  } catch (const std::exception& error) {
    std::cerr << "vendaro: the command stopped: " << error.what() << "\n";
    return vendaro::kExitError;
  }
}
