#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace vendaro::testing {

// What a finished program left: its exit code (-1 when a signal ended it) and
// everything it wrote to standard output and standard error.
struct ProgramResult {
  int exitCode = -1;
  std::string out;
  std::string err;
};

// Runs `arguments` (the program first, looked up in PATH when it has no
// slash) to its end with standard input from /dev/null, in this process's
// environment plus `environment` ("NAME=value" entries that win over the
// inherited ones). The output is collected in files under `scratch`.
ProgramResult runProgram(const std::vector<std::string>& arguments,
                         const std::vector<std::string>& environment,
                         const std::filesystem::path& scratch);

// True when `name` is an executable file in one of the PATH folders.
bool programInPath(const std::string& name);

}  // namespace vendaro::testing
