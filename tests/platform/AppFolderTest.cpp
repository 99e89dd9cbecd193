#include "platform/AppFolder.h"

#include <gtest/gtest.h>

#include "tests/support/TempFolder.h"

namespace vendaro {
namespace {

using testing::TempFolder;

TEST(AppFolder, CommandLineThenVendaroHomeThenXdgDataHome) {
  TempFolder temp;
  const std::string given = (temp.path() / "given").string();
  const std::string home = (temp.path() / "home").string();
  const std::string xdg = (temp.path() / "xdg").string();
  AppFolderEnvironment environment{home, xdg, "/nonexistent-home"};

  EXPECT_EQ(resolveAppFolder(given, environment), given);
  EXPECT_EQ(resolveAppFolder(std::nullopt, environment), home);
  environment.vendaroHome.reset();
  EXPECT_EQ(resolveAppFolder(std::nullopt, environment), temp.path() / "xdg" / "vendaro");
  environment.xdgDataHome.reset();
  environment.home = (temp.path() / "user").string();
  EXPECT_EQ(resolveAppFolder(std::nullopt, environment),
            temp.path() / "user" / ".local" / "share" / "vendaro");
  // Each chosen folder was created.
  EXPECT_TRUE(std::filesystem::is_directory(temp.path() / "xdg" / "vendaro"));
  EXPECT_TRUE(std::filesystem::is_directory(given));
  // Backslash names become files in the folder.
  EXPECT_EQ(appFile(given, "\\lb.prv"), std::filesystem::path(given) / "lb.prv");
}

TEST(AppFolder, AFolderThatCannotBeMadeIsAClearError) {
  TempFolder temp;
  temp.write("plainfile", "x");
  EXPECT_THROW(resolveAppFolder((temp.path() / "plainfile" / "sub").string(), {}), AppFolderError);
  EXPECT_THROW(resolveAppFolder(std::nullopt, {}), AppFolderError);
}

}  // namespace
}  // namespace vendaro
