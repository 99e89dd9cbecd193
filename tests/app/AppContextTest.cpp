#include "app/AppContext.h"

#include <gtest/gtest.h>

#include "tests/support/TempFolder.h"

namespace vendaro {
namespace {

using testing::TempFolder;

TEST(AppContextSettings, EachSectionReadsItsKeysAndKeepsTheDefaultsOfTheRest) {
  AppContext defaults;
  defaults.readSections(SettingsFile{});
  EXPECT_EQ(defaults.vendor.host(), "www.vendaro.example");
  EXPECT_EQ(defaults.vendor.address("/welcome.htm"), "http://www.vendaro.example/welcome.htm");
  EXPECT_EQ(defaults.searchEngines.engines.size(), 8u);
  EXPECT_EQ(defaults.privateZone.parentalPassword, "red fox den");
  EXPECT_TRUE(defaults.folders.output.empty());

  const SettingsFile file = SettingsFile::parse(R"(
[vendor]
base_url = "http://127.0.0.1:8080/"
[translation]
base_url = "https://translate.example"
[search_engines]
yahoo = "http://127.0.0.1:9000"
[store]
order_email = "me@shop.example"
payment_gateway_host = "pay.example:8443"
[mail]
pop_host = "127.0.0.1"
mailbox_address = "orders"
[private_zone]
start_page = "http://elsewhere.example/start.htm"
parental_password = "open sesame"
[programs]
calculator = "kcalc"
[folders]
output = "/tmp/out"
)",
                                                "vendaro.toml");
  AppContext context;
  context.readSections(file);
  EXPECT_TRUE(file.unreadKeys().empty());
  EXPECT_EQ(context.vendor.host(), "127.0.0.1");
  EXPECT_EQ(context.vendor.address("/list5.txt"), "http://127.0.0.1:8080/list5.txt");
  EXPECT_EQ(context.translation.baseUrl, "https://translate.example");
  EXPECT_EQ(context.searchEngines.engines.at("yahoo"), "http://127.0.0.1:9000");
  EXPECT_EQ(context.searchEngines.engines.at("lycos"), "http://www.lycos.example");
  EXPECT_EQ(context.store.orderEmail, "me@shop.example");
  EXPECT_EQ(context.store.paymentGatewayHost, "pay.example:8443");
  EXPECT_EQ(context.mail.popHost, "127.0.0.1");
  EXPECT_EQ(context.mail.mailboxAddress, "orders");
  EXPECT_EQ(context.vendor.address(context.privateZone.startPage),
            "http://elsewhere.example/start.htm");
  EXPECT_EQ(context.privateZone.searchList, "/private/search.txt");
  EXPECT_EQ(context.programs.calculatorCommand, "kcalc");
  EXPECT_EQ(context.programs.mailClientCommand, "xdg-email");
  EXPECT_EQ(context.folders.output, "/tmp/out");
}

TEST(AppContextSettings, OutputFilesGoToTheApplicationFolderUnlessAnOutputFolderIsSet) {
  TempFolder app;
  FolderSettings folders;
  EXPECT_EQ(folders.outputFile(app.path(), "\\report.htm"), app.path() / "report.htm");
  folders.output = "spill";
  EXPECT_EQ(folders.outputFile(app.path(), "\\report.htm"), app.path() / "spill" / "report.htm");
  EXPECT_TRUE(std::filesystem::is_directory(app.path() / "spill"));
  TempFolder elsewhere;
  folders.output = elsewhere.path();
  EXPECT_EQ(folders.outputFolder(app.path()), elsewhere.path());
}

}  // namespace
}  // namespace vendaro
