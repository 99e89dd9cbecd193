#include "app/ProgramMain.h"

#include <CLI/CLI.hpp>
#include <exception>
#include <iostream>
#include <optional>
#include <string>

#include "app/AppContext.h"
#include "app/Subsystems.h"

namespace vendaro {

int programMain(int argc, char** argv, const WorkbenchStart& start) {
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
  CommandLine commandLine(cli);
  addSubsystemCommandLines(commandLine);

  try {
    cli.parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    // Help and version exit with 0; a mistake in the command line with 2.
    return cli.exit(error) == 0 ? 0 : kExitError;
  }

  const CommandLine::Job& job = commandLine.job();
  if (!job && !start.here) return start.elsewhere(argc, argv);
  const std::optional<std::string> folderOption =
      appFolder.empty() ? std::nullopt : std::optional<std::string>(appFolder);
  auto context = openAppContext(folderOption, std::cerr);
  if (!context) return kExitError;
  if (answerYes) context->questionAnswer = QuestionAnswer::Yes;
  if (!job) return start.here(*context);
  try {
    return job(*context);
  } catch (const std::exception& error) {
    std::cerr << "vendaro: the command stopped: " << error.what() << "\n";
    return kExitError;
  }
}

}  // namespace vendaro
