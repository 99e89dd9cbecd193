#include "app/ProgramMain.h"

#include <CLI/CLI.hpp>
#include <cstring>
#include <exception>
#include <iostream>
#include <optional>
#include <string>

#include "app/AppContext.h"
#include "app/Subsystems.h"
#include "platform/ControlEscapingBuffer.h"

namespace vendaro {
namespace {

// The exit code of a command whose output could not be written.
constexpr int kExitOutputError = 1;

// Standard output and error, for the length of a run, through buffers that
// show control characters escaped: whatever a command prints (orders,
// responses, mail headers, settings values) cannot drive the terminal.
class EscapedStandardStreams {
 public:
  EscapedStandardStreams()
      : outTarget_(std::cout.rdbuf()),
        errTarget_(std::cerr.rdbuf()),
        out_(*outTarget_),
        err_(*errTarget_) {
    std::cout.rdbuf(&out_);
    std::cerr.rdbuf(&err_);
  }
  ~EscapedStandardStreams() {
    std::cout.flush();
    err_.writeControl({});
    std::cout.rdbuf(outTarget_);
    std::cerr.rdbuf(errTarget_);
  }
  EscapedStandardStreams(const EscapedStandardStreams&) = delete;
  EscapedStandardStreams& operator=(const EscapedStandardStreams&) = delete;

  // `code` once everything is written out: output that did not reach its
  // file (a full disk, /dev/full, a closed pipe) is reported, and a run that
  // succeeded ends with kExitOutputError instead of leaving a cut file.
  int checked(int code) {
    out_.writeControl({});
    if (std::cout && out_.error() == 0) return code;
    std::cerr << "vendaro: the output could not be written: " << std::strerror(out_.error())
              << "\n";
    return code == 0 ? kExitOutputError : code;
  }

 private:
  std::streambuf* outTarget_;
  std::streambuf* errTarget_;
  ControlEscapingBuffer out_;
  ControlEscapingBuffer err_;
};

int runCommandLine(int argc, char** argv, const WorkbenchStart& start) {
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

}  // namespace

int programMain(int argc, char** argv, const WorkbenchStart& start) {
  EscapedStandardStreams streams;
  return streams.checked(runCommandLine(argc, argv, start));
}

}  // namespace vendaro
