#pragma once

#include <functional>

#include "common/CommandLine.h"

namespace vendaro {

// How the program opens the workbench when no command is given.
struct WorkbenchStart {
  // Opens the window in this process, once the application folder is read.
  std::function<int(const AppContext&)> here;
  // Otherwise hands the whole command line to the workbench program, before
  // anything is read, so that it reads and reports everything once.
  std::function<int(int argc, char** argv)> elsewhere;
};

// The program's command line: parses it, reads the application folder and
// runs the chosen headless command, or opens the workbench as `start` says.
// Returns the exit code.
int programMain(int argc, char** argv, const WorkbenchStart& start);

}  // namespace vendaro
