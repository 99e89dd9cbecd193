#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "platform/AppFolder.h"
#include "platform/settings/MailSettings.h"
#include "platform/settings/SettingsFile.h"
#include "tests/support/TempFolder.h"

namespace vendaro {
namespace {

using ::testing::HasSubstr;
using testing::TempFolder;

std::string errorOf(const std::string& text) {
  try {
    const SettingsFile file = SettingsFile::parse(text, "vendaro.toml");
    (void)file.text("vendor", "base_url", "");
    (void)file.address("vendor", "address", "");
    (void)file.email("store", "order_email", "");
    (void)file.host("mail", "pop_host", "");
    (void)file.addressOrPath("private_zone", "start_page", "");
    (void)MailSettings::read(file);
  } catch (const SettingsError& error) {
    return error.what();
  }
  return "";
}

TEST(SettingsFile, BadFilesAreReportedWithFileLineAndKey) {
  EXPECT_THAT(errorOf("[vendor]\nbase_url = 42\n"),
              HasSubstr("vendaro.toml:2: [vendor] base_url must be a text"));
  EXPECT_THAT(errorOf("[vendor\n"), HasSubstr("vendaro.toml:1:"));
  TempFolder folder;
  std::filesystem::create_directory(folder.file("vendaro.toml"));
  try {
    SettingsFile::load(folder.path());
    ADD_FAILURE() << "a folder was read as settings";
  } catch (const SettingsError& error) {
    EXPECT_THAT(error.what(), HasSubstr("is a folder"));
  }
  std::filesystem::remove(folder.file("vendaro.toml"));
  EXPECT_TRUE(SettingsFile::load(folder.path()).unreadKeys().empty());  // missing: empty
  folder.write("vendaro.toml", std::string(SettingsFile::kMaxBytes + 1, '#'));
  EXPECT_THROW(SettingsFile::load(folder.path()), SettingsError);
}

TEST(SettingsFile, HostileFilesAreRefusedBeforeParsingWithoutCrashing) {
  // toml++ 3.3 reaches undefined behaviour on some non-ASCII characters where
  // it looks for white space (found by fuzzing): errors, never a crash.
  for (const char* unsafe :
       {"x = \xD0\x82\x66\x66\n", "[a]\nx = 1\xEF\xBB\xBD\n", "x = 0\"mail\xD2\x89hop\"\n",
        "x = \"\"\"a\\\xC2\xA1\n\"\"\"\n", "x = \"\xEE\x80\x80\"\n"}) {
    EXPECT_THAT(errorOf(unsafe), HasSubstr("vendaro.toml")) << unsafe;
  }
  // The same characters inside texts are read as they are.
  const SettingsFile accents = SettingsFile::parse(
      "# café\n[a]\np = \"crème brûlée \xEF\xBB\xBD Ж\"\n\"ключ\" = \"\"\n", "vendaro.toml");
  EXPECT_EQ(accents.text("a", "p", ""), "crème brûlée \xEF\xBB\xBD Ж");
  EXPECT_EQ(accents.unreadKeys(), std::vector<std::string>{"vendaro.toml:4: unknown key [a] ключ"});

  std::string tables = "[";
  for (int i = 0; i < 40000; ++i) tables += "a.";
  tables += "a]\n";
  std::string dotted;
  for (int i = 0; i < 50000; ++i) dotted += "k.";
  dotted += "k = 1\n";
  const std::string arrays = "x = " + std::string(40000, '[') + std::string(40000, ']') + "\n";
  std::string inlineTables = "x = ";
  for (int i = 0; i < 40000; ++i) inlineTables += "{a = ";
  for (const std::string& deep : {tables, dotted, arrays, inlineTables}) {
    EXPECT_THAT(errorOf(deep), HasSubstr("deeper than 32 levels")) << deep.substr(0, 20);
  }
  // Brackets, dots and quotes inside strings and comments do not count.
  const std::string quoted = "[vendor] # [[[[.....\n base_url = \"" + std::string(100, '[') +
                             "\"\naddress = '''\n" + std::string(100, '{') + "\n'''\n";
  EXPECT_EQ(tomlNestingDepth(quoted), 2);
  EXPECT_EQ(tomlNestingDepth("[a.b.c]\nx = [[1.5, 2], {y.z = 3}]\n"), 4);
}

TEST(SettingsFile, ValuesThatWouldBreakPagesOrCommandsAreRefusedNamingTheKey) {
  struct Case {
    std::string line;
    std::string message;
  };
  const Case cases[] = {
      {"[vendor]\naddress = \"javascript:alert(1)\"", "[vendor] address must be an http or https"},
      {"[vendor]\naddress = \"http://x.example/\\\" onload=\\\"y\"", "[vendor] address"},
      {"[vendor]\naddress = \"http://\"", "[vendor] address"},
      {"[vendor]\naddress = \"http://bad host/\"", "[vendor] address"},
      {"[store]\norder_email = \"shop.example\"", "[store] order_email must be an e-mail"},
      {"[store]\norder_email = \"a\\\"b@shop.example\"", "[store] order_email"},
      {"[store]\norder_email = \"me@shop..example\"", "[store] order_email"},
      {"[mail]\npop_host = \"mail.example\\\"><x\"", "[mail] pop_host must be a host"},
      {"[mail]\npop_host = \"mail.example:65536\"", "[mail] pop_host"},
      {"[mail]\nsecurity = \"ssl\"", "[mail] security must be one of \"tls\""},
      {"[mail]\nport = \"995\"", "[mail] port must be a whole number from 0 to 65535"},
      {"[mail]\nport = 65536", "[mail] port must be a whole number"},
      {"[private_zone]\nstart_page = \"//evil.example/\"", "[private_zone] start_page"},
      {"[vendor]\nbase_url = \"a\\r\\nb\"", "[vendor] base_url must be a text without control"},
  };
  for (const Case& bad : cases) {
    EXPECT_THAT(errorOf(bad.line + "\n"), HasSubstr("vendaro.toml:2: " + bad.message)) << bad.line;
  }
  const SettingsFile good = SettingsFile::parse(
      "[v]\na = \"HTTPS://Shop.example:8443/p?q=1#f\"\nb = \"me.too+x@mail-1.example\"\n"
      "c = \"127.0.0.1:110\"\nd = \"/private/start.htm\"\n",
      "vendaro.toml");
  EXPECT_EQ(good.address("v", "a", ""), "HTTPS://Shop.example:8443/p?q=1#f");
  EXPECT_EQ(good.email("v", "b", ""), "me.too+x@mail-1.example");
  EXPECT_EQ(good.host("v", "c", ""), "127.0.0.1:110");
  EXPECT_EQ(good.addressOrPath("v", "d", ""), "/private/start.htm");
  EXPECT_EQ(good.address("v", "missing", "http://default.example"), "http://default.example");
}

TEST(SettingsFile, ReportsKeysNoSectionReadInLineOrder) {
  const SettingsFile file = SettingsFile::parse(
      "[vendor]\nbase_url = \"http://a.example\"\nbase_ulr = \"x\"\n[colours]\nsky = \"blue\"\n"
      "[vendor.deep]\nkey = 1\n",
      "vendaro.toml");
  (void)file.address("vendor", "base_url", "");
  EXPECT_EQ(file.unreadKeys(),
            (std::vector<std::string>{"vendaro.toml:3: unknown key [vendor] base_ulr",
                                      "vendaro.toml:5: unknown key [colours] sky",
                                      "vendaro.toml:7: unknown key [vendor] deep.key"}));
}

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
