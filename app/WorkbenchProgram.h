#pragma once

namespace vendaro {

// The workbench program's file name, next to `vendaro` in a build and in
// kWorkbenchProgramFolder (relative to it) once installed.
inline constexpr const char* kWorkbenchProgram = "vendaro-workbench";
inline constexpr const char* kWorkbenchProgramFolder = "../libexec/vendaro";

// Replaces this process with the workbench program, given the same command
// line. Returns only when it cannot be started, with a message on standard
// error and the exit code 2.
int startWorkbenchProgram(int argc, char** argv);

}  // namespace vendaro
