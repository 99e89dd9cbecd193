#include <gtest/gtest.h>

#include <filesystem>
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

  // The window and every command refuse a bad settings file before anything else.
  std::string deep = "[";
  for (int i = 0; i < 40000; ++i) deep += "a.";
  deep += "a]\n";
  for (const std::string& bad : {std::string("[vendor]\nbase_url = 42\n"), deep,
                                 std::string("[store]\norder_email = \"x\\\"@y\"\n")}) {
    home.write("vendaro.toml", bad);
    for (const auto& command : {std::vector<std::string>{}, std::vector<std::string>{"orders"}}) {
      std::vector<std::string> arguments = command;
      arguments.insert(arguments.end(), {"--app-folder", home.path().string()});
      const testing::ProgramResult badSettings = runVendaro(arguments);
      EXPECT_EQ(badSettings.exitCode, 2) << badSettings.out;
      EXPECT_TRUE(contains(badSettings.out, "vendaro.toml")) << badSettings.out;
      EXPECT_FALSE(contains(badSettings.out, "no display")) << badSettings.out;
    }
  }
  std::filesystem::remove(home.file("vendaro.toml"));
  std::filesystem::create_directory(home.file("vendaro.toml"));
  const testing::ProgramResult folderSettings =
      runVendaro({"orders", "--app-folder", home.path().string()});
  EXPECT_EQ(folderSettings.exitCode, 2);
  EXPECT_TRUE(contains(folderSettings.out, "is a folder")) << folderSettings.out;
  std::filesystem::remove(home.file("vendaro.toml"));

  // An unknown key is a warning only.
  home.write("vendaro.toml", "[vendor]\nbase_ulr = \"http://a.example\"\n");
  const testing::ProgramResult warned =
      runVendaro({"orders", "--app-folder", home.path().string()});
  EXPECT_FALSE(contains(warned.out, "cannot be read")) << warned.out;
  EXPECT_TRUE(contains(warned.out, "vendaro.toml:2: unknown key [vendor] base_ulr")) << warned.out;

  const testing::ProgramResult unknown = runVendaro({"--no-such-option"});
  EXPECT_EQ(unknown.exitCode, 2);
  EXPECT_TRUE(contains(unknown.out, "--no-such-option")) << unknown.out;
}

}  // namespace
}  // namespace vendaro
