#include "tests/e2e/ProgramRun.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <sstream>
#include <stdexcept>

#include "common/TextFile.h"

extern char** environ;

namespace vendaro::testing {
namespace {

namespace fs = std::filesystem;

// The inherited environment with `overrides` replacing entries of the same name.
std::vector<std::string> mergedEnvironment(const std::vector<std::string>& overrides) {
  const auto name = [](const std::string& entry) { return entry.substr(0, entry.find('=')); };
  std::vector<std::string> merged(overrides);
  for (char** entry = environ; *entry; ++entry) {
    if (std::none_of(overrides.begin(), overrides.end(),
                     [&](const std::string& o) { return name(o) == name(*entry); }))
      merged.push_back(*entry);
  }
  return merged;
}

std::vector<char*> pointers(const std::vector<std::string>& texts) {
  std::vector<char*> result;
  for (const auto& text : texts) result.push_back(const_cast<char*>(text.c_str()));
  result.push_back(nullptr);
  return result;
}

}  // namespace

ProgramResult runProgram(const std::vector<std::string>& arguments,
                         const std::vector<std::string>& environment, const fs::path& scratch) {
  const fs::path outFile = scratch / "program.out";
  const fs::path errFile = scratch / "program.err";
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                   0644);
  posix_spawn_file_actions_addopen(&actions, 2, errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                   0644);
  const std::vector<std::string> variables = mergedEnvironment(environment);
  std::vector<char*> argv = pointers(arguments);
  std::vector<char*> envp = pointers(variables);
  pid_t pid = -1;
  const int error = ::posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  if (error != 0) throw std::runtime_error("cannot start " + arguments.front());

  int status = 0;
  while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, readWholeFile(outFile).value_or(""),
          readWholeFile(errFile).value_or("")};
}

bool programInPath(const std::string& name) {
  const char* path = std::getenv("PATH");
  std::istringstream folders(path ? path : "");
  for (std::string folder; std::getline(folders, folder, ':');) {
    if (!folder.empty() && ::access((fs::path(folder) / name).c_str(), X_OK) == 0) return true;
  }
  return false;
}

}  // namespace vendaro::testing
