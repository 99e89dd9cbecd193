#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/e2e/ProgramRun.h"
#include "tests/support/TempFolder.h"

namespace vendaro {
namespace {

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

bool contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

TEST(CommandLineTest, HelpAndVersionNeedNoDisplay) {
  const testing::ProgramResult help = runVendaro({"--help"});
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_TRUE(contains(help.out, "Usage: vendaro")) << help.out;
  EXPECT_TRUE(contains(help.out, "--app-folder")) << help.out;

  const testing::ProgramResult version = runVendaro({"--version"});
  EXPECT_EQ(version.exitCode, 0);
  EXPECT_FALSE(version.out.empty());
}

TEST(CommandLineTest, WithoutDisplayExplainsWhatToDoInsteadOfAborting) {
  testing::TempFolder home;
  const testing::ProgramResult run = runVendaro({"--app-folder", home.path().string()});
  ASSERT_EQ(run.exitCode, 2) << run.out;
  EXPECT_TRUE(contains(run.out, "no display found")) << run.out;
  EXPECT_TRUE(contains(run.out, "xvfb-run -a vendaro")) << run.out;
  EXPECT_TRUE(contains(run.out, "QT_QPA_PLATFORM=offscreen")) << run.out;
}

TEST(CommandLineTest, UnusableFolderSettingsOrArgumentsExitWithCode2) {
  testing::TempFolder home;
  home.write("not-a-folder", "x");
  const testing::ProgramResult fileAsFolder =
      runVendaro({"--app-folder", home.file("not-a-folder").string()});
  EXPECT_EQ(fileAsFolder.exitCode, 2);
  EXPECT_TRUE(contains(fileAsFolder.out, "application folder")) << fileAsFolder.out;

  home.write("vendaro.toml", "[vendor]\nbase_url = 42\n");
  const testing::ProgramResult badSettings = runVendaro({"--app-folder", home.path().string()});
  EXPECT_EQ(badSettings.exitCode, 2);
  EXPECT_TRUE(contains(badSettings.out, "vendaro.toml")) << badSettings.out;
  EXPECT_FALSE(contains(badSettings.out, "no display")) << badSettings.out;

  const testing::ProgramResult unknown = runVendaro({"--no-such-option"});
  EXPECT_EQ(unknown.exitCode, 2);
  EXPECT_TRUE(contains(unknown.out, "--no-such-option")) << unknown.out;
}

}  // namespace
}  // namespace vendaro
