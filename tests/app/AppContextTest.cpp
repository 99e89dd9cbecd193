#include "app/AppContext.h"

#include "app/ProgramSettings.h"
#include "browse/TranslationSettings.h"
#include "common/PrivateZoneSettings.h"
#include "store/StoreSettings.h"
#include "submit/SearchEngineSettings.h"

#include <gtest/gtest.h>

#include "tests/support/TempFolder.h"

namespace vendaro {
namespace {

using testing::TempFolder;

TEST(AppContextSettings, EachSectionReadsItsKeysAndKeepsTheDefaultsOfTheRest) {
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
payment_gateway_path = "/gateway/transact.dll"
payment_gateway_login = "shop\"77"
[mail]
pop_host = "127.0.0.1"
mailbox_address = "orders"
port = 1995
security = "starttls"
ca_file = "/etc/ssl/shop-ca.pem"
[private_zone]
start_page = "http://elsewhere.example/start.htm"
parental_password = "open sesame"
[programs]
calculator = "kcalc"
[folders]
output = "/tmp/out"
)",
                                                "vendaro.toml");
  // The values that are more than a copy of their text, and that every key
  // was read: a misspelt one would be left over.
  const VendorSettings vendor = VendorSettings::read(file);
  const SearchEngineSettings engines = SearchEngineSettings::read(file);
  const MailSettings mail = MailSettings::read(file);
  EXPECT_EQ(TranslationSettings::read(file).baseUrl, "https://translate.example");
  EXPECT_EQ(FolderSettings::read(file).output, "/tmp/out");
  EXPECT_EQ(StoreSettings::read(file).paymentGatewayLogin, "shop\"77");
  EXPECT_EQ(ProgramSettings::read(file).calculatorCommand, "kcalc");
  EXPECT_EQ(vendor.address("/list5.txt"), "http://127.0.0.1:8080/list5.txt");
  EXPECT_EQ(engines.engines.at("yahoo"), "http://127.0.0.1:9000");
  EXPECT_EQ(engines.engines.at("lycos"), "http://www.lycos.example");
  EXPECT_EQ(mail.port, 1995);
  EXPECT_EQ(mail.security, MailAccount::Security::StartTls);
  EXPECT_EQ(vendor.address(PrivateZoneSettings::read(file).startPage),
            "http://elsewhere.example/start.htm");
  EXPECT_TRUE(file.unreadKeys().empty()) << file.unreadKeys().front();
  EXPECT_THROW(StoreSettings::read(SettingsFile::parse(
                   "[store]\npayment_gateway_path = \"https://pay.example/x\"\n", "vendaro.toml")),
               SettingsError);
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
