#include "platform/Settings.h"

#include <gtest/gtest.h>

#include "tests/support/TempFolder.h"

namespace vendaro {
namespace {

using testing::TempFolder;

TEST(Settings, MissingFileGivesDefaultsOnReservedDomains) {
  TempFolder folder;
  Settings settings = Settings::load(folder.path());
  EXPECT_EQ(settings.vendorHost(), "www.vendaro.example");
  EXPECT_EQ(settings.vendorAddress("/welcome.htm"), "http://www.vendaro.example/welcome.htm");
  EXPECT_EQ(settings.searchEngines.size(), 8u);
  EXPECT_EQ(settings.parentalPassword, "red fox den");
  EXPECT_TRUE(settings.outputFolder.empty());
}

TEST(Settings, ReadsEveryGivenKeyAndKeepsDefaultsForTheRest) {
  TempFolder folder;
  folder.write("vendaro.toml", R"(
[vendor]
base_url = "http://127.0.0.1:8080/"
[search_engines]
yahoo = "http://127.0.0.1:9000"
[store]
order_email = "me@shop.example"
[mail]
pop_host = "127.0.0.1"
[private_zone]
start_page = "http://elsewhere.example/start.htm"
[programs]
calculator = "kcalc"
[folders]
output = "/tmp/out"
)");
  Settings settings = Settings::load(folder.path());
  EXPECT_EQ(settings.vendorHost(), "127.0.0.1");
  EXPECT_EQ(settings.vendorAddress("/list5.txt"), "http://127.0.0.1:8080/list5.txt");
  EXPECT_EQ(settings.searchEngines.at("yahoo"), "http://127.0.0.1:9000");
  EXPECT_EQ(settings.searchEngines.at("lycos"), "http://www.lycos.example");
  EXPECT_EQ(settings.orderEmail, "me@shop.example");
  EXPECT_EQ(settings.popHost, "127.0.0.1");
  EXPECT_EQ(settings.vendorAddress(settings.privateZoneStartPage),
            "http://elsewhere.example/start.htm");
  EXPECT_EQ(settings.calculatorCommand, "kcalc");
  EXPECT_EQ(settings.outputFolder, "/tmp/out");
  EXPECT_EQ(settings.mailClientCommand, Settings{}.mailClientCommand);
}

TEST(Settings, BadFilesAreReportedWithFileAndLine) {
  TempFolder folder;
  folder.write("vendaro.toml", "[vendor]\nbase_url = 42\n");
  try {
    Settings::load(folder.path());
    FAIL() << "a number accepted as an address";
  } catch (const SettingsError& error) {
    EXPECT_NE(std::string(error.what()).find("vendaro.toml:2"), std::string::npos) << error.what();
    EXPECT_NE(std::string(error.what()).find("base_url"), std::string::npos);
  }
  folder.write("vendaro.toml", "[vendor\n");
  EXPECT_THROW(Settings::load(folder.path()), SettingsError);
}

}  // namespace
}  // namespace vendaro
