#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/e2e/ProgramRun.h"
#include "tests/support/TempFolder.h"

namespace vendaro {
namespace {

struct RunResult {
  int exitCode = -1;   // -1 when a signal ended the program
  std::string output;  // standard output and standard error together
};

// Runs the program with `arguments` and no display (an empty variable counts
// as unset), and collects what it says.
RunResult runVendaro(const std::vector<std::string>& arguments) {
  testing::TempFolder scratch;
  std::vector<std::string> command{VENDARO_BINARY};
  command.insert(command.end(), arguments.begin(), arguments.end());
  const testing::ProgramResult run = testing::runProgram(
      command, {"DISPLAY=", "WAYLAND_DISPLAY=", "QT_QPA_PLATFORM="}, scratch.path());
  return {run.exitCode, run.out + run.err};
}

bool contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

TEST(CommandLineTest, HelpAndVersionNeedNoDisplay) {
  const RunResult help = runVendaro({"--help"});
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
  ASSERT_EQ(run.exitCode, 2) << run.output;
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
      const RunResult badSettings = runVendaro(arguments);
      EXPECT_EQ(badSettings.exitCode, 2) << badSettings.output;
      EXPECT_TRUE(contains(badSettings.output, "vendaro.toml")) << badSettings.output;
      EXPECT_FALSE(contains(badSettings.output, "no display")) << badSettings.output;
    }
  }
  std::filesystem::remove(home.file("vendaro.toml"));
  std::filesystem::create_directory(home.file("vendaro.toml"));
  const RunResult folderSettings = runVendaro({"orders", "--app-folder", home.path().string()});
  EXPECT_EQ(folderSettings.exitCode, 2);
  EXPECT_TRUE(contains(folderSettings.output, "is a folder")) << folderSettings.output;
  std::filesystem::remove(home.file("vendaro.toml"));

  // An unknown key is a warning only.
  home.write("vendaro.toml", "[vendor]\nbase_ulr = \"http://a.example\"\n");
  const RunResult warned = runVendaro({"orders", "--app-folder", home.path().string()});
  EXPECT_FALSE(contains(warned.output, "cannot be read")) << warned.output;
  EXPECT_TRUE(contains(warned.output, "vendaro.toml:2: unknown key [vendor] base_ulr"))
      << warned.output;

  const RunResult unknown = runVendaro({"--no-such-option"});
  EXPECT_EQ(unknown.exitCode, 2);
  EXPECT_TRUE(contains(unknown.output, "--no-such-option")) << unknown.output;
}

}  // namespace
}  // namespace vendaro
