#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "tests/e2e/ProgramRun.h"
#include "tests/support/TempFolder.h"

namespace vendaro {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

// Runs the program with `arguments` and no display (an empty variable counts
// as unset); what it writes to standard error is added to its output.
testing::ProgramResult runVendaro(const std::vector<std::string>& arguments) {
  testing::TempFolder scratch;
  std::vector<std::string> command{VENDARO_BINARY};
  command.insert(command.end(), arguments.begin(), arguments.end());
  testing::ProgramResult run = testing::runProgram(
      command, {"DISPLAY=", "WAYLAND_DISPLAY=", "QT_QPA_PLATFORM="}, scratch.path());
  run.out += run.err;
  return run;
}

// Each run: the settings file to write first (none when empty; a folder when
// "/"), the arguments after the program name (the test folder follows
// "--app-folder"), the exit code and a text the output must hold.
struct Case {
  std::string settings;
  std::vector<std::string> arguments;
  int exitCode;
  std::string says;
};

TEST(CommandLineTest, ExplainsWhatIsWrongWithoutNeedingADisplay) {
  std::string deep = "[";
  for (int i = 0; i < 40000; ++i) deep += "a.";
  deep += "a]\n";
  const std::vector<std::string> orders{"orders", "--app-folder"}, window{"--app-folder"};
  std::vector<Case> runs{
      {"", {"--help"}, 0, "--app-folder"},
      {"", {"--version"}, 0, ""},
      {"", {"--no-such-option"}, 2, "--no-such-option"},
      // A second keyword word without its own --keyword is no address.
      {"",
       {"find", "--keyword", "a", "b", "http://127.0.0.1:9/"},
       2,
       "not an http or https address: b"},
      {"", window, 2, "no display found"},
      {"/", orders, 2, "is a folder"},
      // An unknown key is a warning only; the command goes on (to its empty database).
      {"[vendor]\nbase_ulr = \"http://a.example\"\n", orders, -1,
       "vendaro.toml:2: unknown key [vendor] base_ulr"}};
  // The window and every command refuse a bad settings file before anything else.
  for (const std::string& bad : {std::string("[vendor]\nbase_url = 42\n"), deep,
                                 std::string("[store]\norder_email = \"x\\\"@y\"\n")}) {
    runs.push_back({bad, window, 2, "vendaro.toml"});
    runs.push_back({bad, orders, 2, "vendaro.toml"});
  }
  for (const Case& run : runs) {
    testing::TempFolder home;
    if (run.settings == "/")
      std::filesystem::create_directory(home.file("vendaro.toml"));
    else if (!run.settings.empty())
      home.write("vendaro.toml", run.settings);
    std::vector<std::string> arguments = run.arguments;
    if (arguments.back() == "--app-folder") arguments.push_back(home.path().string());
    const testing::ProgramResult result = runVendaro(arguments);
    if (run.exitCode < 0) {
      EXPECT_THAT(result.out, Not(HasSubstr("cannot be read")));
    } else {
      EXPECT_EQ(result.exitCode, run.exitCode) << result.out;
    }
    EXPECT_FALSE(result.out.empty());
    EXPECT_THAT(result.out, HasSubstr(run.says));
    if (run.settings.size() >= 2) {
      EXPECT_THAT(result.out, Not(HasSubstr("no display")));
    }
  }
  testing::TempFolder home;
  home.write("not-a-folder", "x");
  const auto fileAsFolder = runVendaro({"--app-folder", home.file("not-a-folder").string()});
  EXPECT_EQ(fileAsFolder.exitCode, 2);
  EXPECT_THAT(fileAsFolder.out, HasSubstr("application folder"));
}

TEST(CommandLineTest, UnwritableOutputFailsAndControlCharactersShowEscaped) {
  testing::TempFolder scratch;
  testing::ProgramResult result = testing::runProgram(
      {"/bin/sh", "-c", "exec \"$0\" --help >/dev/full", VENDARO_BINARY}, {}, scratch.path());
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.err, "vendaro: the output could not be written: No space left on device\n");

  // A refused settings value is echoed with its terminal title sequence
  // shown, not run.
  scratch.write("vendaro.toml", "[vendor]\nbase_url = \"http://x\\u001b]0;owned\\u0007\"\n");
  result = runVendaro({"orders", "--app-folder", scratch.path().string()});
  EXPECT_EQ(result.exitCode, 2);
  EXPECT_THAT(result.out, HasSubstr("\"http://x\\x1b]0;owned\\x07\""));
  EXPECT_EQ(result.out.find('\x1b'), std::string::npos);
}

using namespace std::chrono_literals;

// True once process `pid` catches `signal` (its handler is installed).
bool catches(pid_t pid, int signal) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("SigCgt:", 0) == 0) {
      const unsigned long long mask = std::stoull(line.substr(7), nullptr, 16);
      return ((mask >> (signal - 1)) & 1U) != 0;
    }
  }
  return false;
}

// Waits up to `limit` for the child to end; its exit code, or -1.
int waitFor(pid_t pid, std::chrono::seconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  int status = 0;
  while (std::chrono::steady_clock::now() < deadline) {
    if (::waitpid(pid, &status, WNOHANG) == pid)
      return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::this_thread::sleep_for(20ms);
  }
  ::kill(pid, SIGKILL);
  ::waitpid(pid, &status, 0);
  return -1;
}

TEST(SessionEndTest, TheWorkbenchAskedToEndBySigtermWritesItsSavedLists) {
  testing::TempFolder app;
  // Nothing leaves the machine: the vendor site is a closed local port.
  app.write("vendaro.toml", "[vendor]\nbase_url = \"http://127.0.0.1:9\"\n");
  app.write("lb.prv", "http://kept.example/\nhttp://also.example/\n");  // read leniently
  const pid_t pid = ::fork();
  ASSERT_GE(pid, 0);
  if (pid == 0) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    ::setenv("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu --disable-background-networking", 1);
    ::execl(VENDARO_BINARY, VENDARO_BINARY, "--app-folder", app.path().c_str(), nullptr);
    ::_exit(127);
  }
  const auto deadline = std::chrono::steady_clock::now() + 60s;
  while (!catches(pid, SIGTERM) && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(20ms);
  }
  ASSERT_TRUE(catches(pid, SIGTERM)) << "the workbench did not start";
  ::kill(pid, SIGTERM);
  EXPECT_EQ(waitFor(pid, 60s), 0);
  // Written back in the written format, with the close's image-buffer page and
  // the destruction's.
  EXPECT_EQ(app.read("lb.prv"), "\"http://kept.example/\r\nhttp://also.example/\r\n\"\r\n");
  EXPECT_EQ(app.read("error.htm"), "\"<html><body></body></html>\"\r\n");
  EXPECT_EQ(app.read("error1.htm"), "<html><body></body></html>\r\n");
}

}  // namespace
}  // namespace vendaro
