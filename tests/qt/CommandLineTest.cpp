#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "tests/support/TempFolder.h"

extern char** environ;

namespace vendaro {
namespace {

struct RunResult {
  bool exited = false;  // false when a signal ended the program
  int exitCode = -1;
  std::string output;  // standard output and standard error together
};

// The environment of this process without any variable that names a display.
std::vector<std::string> environmentWithoutDisplay() {
  std::vector<std::string> result;
  for (char** entry = environ; *entry != nullptr; ++entry) {
    const std::string variable = *entry;
    const std::string name = variable.substr(0, variable.find('='));
    if (name != "DISPLAY" && name != "WAYLAND_DISPLAY" && name != "QT_QPA_PLATFORM") {
      result.push_back(variable);
    }
  }
  return result;
}

// Runs the program with `arguments` and no display, and collects what it says.
RunResult runVendaro(const std::vector<std::string>& arguments) {
  std::vector<std::string> environment = environmentWithoutDisplay();
  std::vector<char*> argv{const_cast<char*>(VENDARO_BINARY)};
  for (const auto& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  std::vector<char*> envp;
  for (auto& variable : environment) envp.push_back(variable.data());
  envp.push_back(nullptr);

  int pipeEnds[2];
  if (::pipe(pipeEnds) != 0) return {};
  const pid_t child = ::fork();
  if (child == 0) {
    ::dup2(pipeEnds[1], STDOUT_FILENO);
    ::dup2(pipeEnds[1], STDERR_FILENO);
    ::close(pipeEnds[0]);
    ::close(pipeEnds[1]);
    ::execve(argv[0], argv.data(), envp.data());
    ::_exit(127);
  }
  ::close(pipeEnds[1]);
  RunResult result;
  char buffer[4096];
  for (ssize_t count; (count = ::read(pipeEnds[0], buffer, sizeof buffer)) > 0;) {
    result.output.append(buffer, static_cast<std::size_t>(count));
  }
  ::close(pipeEnds[0]);
  int status = 0;
  ::waitpid(child, &status, 0);
  result.exited = WIFEXITED(status);
  if (result.exited) result.exitCode = WEXITSTATUS(status);
  return result;
}

bool contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

TEST(CommandLineTest, HelpAndVersionNeedNoDisplay) {
  const RunResult help = runVendaro({"--help"});
  EXPECT_TRUE(help.exited);
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_TRUE(contains(help.output, "Usage: vendaro")) << help.output;
  EXPECT_TRUE(contains(help.output, "--app-folder")) << help.output;

  const RunResult version = runVendaro({"--version"});
  EXPECT_EQ(version.exitCode, 0);
  EXPECT_FALSE(version.output.empty());
}

TEST(CommandLineTest, WithoutDisplayExplainsWhatToDoInsteadOfAborting) {
  testing::TempFolder home;
  const RunResult run = runVendaro({"--app-folder", home.path().string()});
  ASSERT_TRUE(run.exited) << "ended by a signal: " << run.output;
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_TRUE(contains(run.output, "no display found")) << run.output;
  EXPECT_TRUE(contains(run.output, "xvfb-run -a vendaro")) << run.output;
  EXPECT_TRUE(contains(run.output, "QT_QPA_PLATFORM=offscreen")) << run.output;
}

TEST(CommandLineTest, UnusableFolderSettingsOrArgumentsExitWithCode2) {
  testing::TempFolder home;
  home.write("not-a-folder", "x");
  const RunResult fileAsFolder = runVendaro({"--app-folder", home.file("not-a-folder").string()});
  EXPECT_EQ(fileAsFolder.exitCode, 2);
  EXPECT_TRUE(contains(fileAsFolder.output, "application folder")) << fileAsFolder.output;

  home.write("vendaro.toml", "[vendor]\nbase_url = 42\n");
  const RunResult badSettings = runVendaro({"--app-folder", home.path().string()});
  EXPECT_EQ(badSettings.exitCode, 2);
  EXPECT_TRUE(contains(badSettings.output, "vendaro.toml")) << badSettings.output;
  EXPECT_FALSE(contains(badSettings.output, "no display")) << badSettings.output;

  const RunResult unknown = runVendaro({"--no-such-option"});
  EXPECT_EQ(unknown.exitCode, 2);
  EXPECT_TRUE(contains(unknown.output, "--no-such-option")) << unknown.output;
}

}  // namespace
}  // namespace vendaro
