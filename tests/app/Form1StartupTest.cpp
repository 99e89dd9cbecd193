#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <set>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "app/AppContext.h"
#include "app/DistinctEntries.h"
#include "app/ListFile.h"
#include "app/MainMenu.h"
#include "app/ProgramSettings.h"
#include "app/Subsystems.h"
#include "browse/TranslationSettings.h"
#include "common/PrivateZoneSettings.h"
#include "store/StoreSettings.h"
#include "submit/SearchEngineSettings.h"
#include "tests/app/Form1Fixture.h"
#include "tests/support/TempFolder.h"

namespace vendaro::testing {
namespace {

using Entries = std::vector<std::string>;

Entries numbered(const std::string& prefix, int count) {
  Entries entries;
  for (int i = 1; i <= count; ++i) entries.push_back(prefix + std::to_string(i));
  return entries;
}

using Form1Startup = Form1Fixture;

TEST_F(Form1Startup, FirstStartHasEmptyListsAndStartsTheVendorDownloads) {
  Form1& form = loadPluggedForm();
  EXPECT_EQ(form.Combo2.ListCount(), 0);
  EXPECT_EQ(form.StatusBar1.panelText(2), "Public zone");
  EXPECT_EQ(form.Caption.Caption(), "Form1");
  EXPECT_EQ(form.Combo2.Text(), "http://");
  EXPECT_TRUE(form.WebBrowser1.Visible());
  EXPECT_FALSE(form.WebBrowser5.Visible());
  EXPECT_EQ(browser5->navigations, Entries{"http://vendor.example/welcome.htm"});
  EXPECT_TRUE(browser1->navigations.empty());
  EXPECT_EQ(inet(6).executed, Entries{"http://vendor.example/pubchannels.txt"});
  EXPECT_EQ(inet(7).executed, Entries{"http://vendor.example/pubsearch.txt"});
  EXPECT_EQ(inet(10).executed, Entries{"http://vendor.example/list5.txt"});
  for (int other : {1, 2, 3, 4, 5, 8}) EXPECT_TRUE(inet(other).executed.empty()) << other;
}

TEST_F(Form1Startup, AddressHistoryKeepsTheFirst19AndTheLastOfTooManyAddresses) {
  folder.write("lb.prv", list_file::format(numbered("http://site", 25)));
  Form1& form = loadForm();
  Entries expected = numbered("http://site", 19);
  expected.push_back("http://site25");
  EXPECT_EQ(form.Combo2.items(), expected);
}

TEST_F(Form1Startup, EachListDropsTheDuplicatesOfItsRuleAndSkipsEmptyLines) {
  // An empty line is skipped; it no longer swallows the entry after it.
  folder.write("lb.prv", "\"http://a\r\nhttp://a\r\n\r\nhttp://b\r\nhttp://c\r\n\"\r\n");
  folder.write("list6.prv", "\"http://h1\r\nhttp://h1\r\n\r\nhttp://h2\r\nhttp://h3\r\n\"\r\n");
  folder.write("domain.prv", list_file::format({"shop.example", "Shop.example", "shop.example"}));
  folder.write("domain2.txt", list_file::format({"a.example", "a.example"}));
  folder.write("favor.prv", list_file::format({"http://p/", "http://p/"}));
  folder.write("favor2.txt", list_file::format({"http://q/", "http://r/", "http://q/"}));
  Form1& form = loadForm();
  EXPECT_EQ(form.Combo2.items(), (Entries{"http://a", "http://b", "http://c"}));
  // Shown home pages keep duplicates.
  EXPECT_EQ(form.saved.List6.items(),
            (Entries{"http://h1", "http://h1", "http://h2", "http://h3"}));
  // Histories and favorites drop exact duplicates only.
  EXPECT_EQ(form.saved.domain.items(), (Entries{"shop.example", "Shop.example"}));
  EXPECT_EQ(form.saved.domain2.items(), (Entries{"a.example"}));
  EXPECT_EQ(form.saved.favorit.items(), (Entries{"http://p/"}));
  EXPECT_EQ(form.saved.favorit2.items(), (Entries{"http://q/", "http://r/"}));
}

TEST_F(Form1Startup, AListThatCannotBeReadIsSetAsideToldOnceAndNeverOverwritten) {
  std::filesystem::create_directory(folder.file("domain.prv"));  // a folder, not a file
  folder.write("domain2.txt", std::string("binary\0data\r\n", 14));
  folder.write("list6.prv", "");
  Form1& form = loadForm();
  EXPECT_EQ(form.saved.domain.ListCount(), 0);
  EXPECT_EQ(form.saved.domain2.ListCount(), 0);
  EXPECT_EQ(form.saved.List6.ListCount(), 0);
  EXPECT_EQ(form.StatusBar1.panelText(2), "Public zone");
  EXPECT_TRUE(form.isSetAside("\\domain2.txt"));
  EXPECT_FALSE(form.isSetAside("\\list6.prv"));  // empty is a list
  loop.runPending();
  ASSERT_EQ(dialogs.messages.size(), 1u);
  const std::string& told = dialogs.messages[0].text;
  EXPECT_NE(told.find(folder.file("domain.prv").string() + ": "), std::string::npos) << told;
  EXPECT_NE(told.find(folder.file("domain2.txt").string() + ": it is not a text list"),
            std::string::npos)
      << told;

  form.saved.domain2.AddItem("visited.example");
  form.Form_Unload();
  EXPECT_EQ(folder.read("domain2.txt"), std::string("binary\0data\r\n", 14));
  EXPECT_EQ(folder.read("list6.prv"), "\"\"\r\n");
  if (::geteuid() != 0) {  // root reads any file
    folder.write("lb.prv", "\"http://kept.example/\r\n\"\r\n");
    std::filesystem::permissions(folder.file("lb.prv"), std::filesystem::perms::none);
    Form1& again = loadForm();
    again.Combo2.AddItem("http://new.example/");
    again.Form_Unload();
    std::filesystem::permissions(folder.file("lb.prv"), std::filesystem::perms::owner_all);
    EXPECT_EQ(folder.read("lb.prv"), "\"http://kept.example/\r\n\"\r\n");
  }
}

TEST_F(Form1Startup, CloseWritesTheListsSkipsOneThatCannotBeWrittenAndWritesTheImageBufferPage) {
  Form1& form = loadForm();
  form.Combo2.AddItem("http://kept.example/");
  form.saved.domain2.AddItem("public.example");
  std::filesystem::create_directory(folder.file("domain.prv"));  // cannot be replaced
  form.Form_Unload();
  EXPECT_TRUE(std::filesystem::is_directory(folder.file("domain.prv")));
  EXPECT_EQ(folder.read("lb.prv"), "\"http://kept.example/\r\n\"\r\n");
  EXPECT_EQ(folder.read("domain2.txt"), "\"public.example\r\n\"\r\n");
  EXPECT_EQ(folder.read("list6.prv"), "\"\"\r\n");
  EXPECT_EQ(folder.read("error.htm"), "\"<html><body></body></html>\"\r\n");
  // Favorites are not written at close, the bare page only at destruction.
  EXPECT_FALSE(std::filesystem::exists(folder.file("favor.prv")));
  EXPECT_FALSE(std::filesystem::exists(folder.file("error1.htm")));
}

TEST_F(Form1Startup, DestructionWritesTheBareImageBufferPage) {
  Form1& form = loadForm();
  form.saved.List2.AddItem("http://img.example/a.gif");
  form.saved.List2.AddItem("http://img.example/it's.png");
  form.Form_Unload();
  form.Form_Terminate();
  const std::string page =
      "<html><body><img src='http://img.example/a.gif'>"
      "<img src='http://img.example/it%27s.png'></body></html>";
  EXPECT_EQ(folder.read("error.htm"), "\"" + page + "\"\r\n");
  EXPECT_EQ(folder.read("error1.htm"), page + "\r\n");
}

TEST_F(Form1Startup, CloseCancelsTheFetchersButNotTheVendorLists) {
  Form1& form = loadPluggedForm();
  form.Form_Unload();
  for (int number = 1; number <= 4; ++number) EXPECT_EQ(inet(number).cancelCount, 1) << number;
  EXPECT_EQ(inet(6).cancelCount, 0);
}

TEST_F(Form1Startup, MenuEntriesReachTheCommandsTheSubsystemsRegistered) {
  Form1& form = loadForm();
  registerSubsystemCommands(plugInWorkbench());
  Entries opened;
  for (const char* name : {"Wizard1", "frmOrders", "frmSales", "frmPublish"}) {
    form.toolWindows.add(name, {[&opened, name] { opened.push_back(name); }, [] {}, [] {}});
  }
  int closeRequests = 0;
  form.onCloseRequested = [&] { ++closeRequests; };
  browser1->navigations.clear();
  for (const char* name :
       {"stgen", "orders", "sales", "stgen", "home", "exit", "sear", "pub_shng", "unknown"}) {
    form.mainMenu.click(name);
  }
  // The second stgen brings the wizard forward.
  EXPECT_EQ(opened, (Entries{"Wizard1", "frmOrders", "frmSales", "frmPublish"}));
  EXPECT_EQ(browser1->navigations, Entries{"http://vendor.example"});
  EXPECT_EQ(closeRequests, 1);
  EXPECT_TRUE(workbench->makeOrderIntake);  // the wizard's "E-Mail DB" tab gets its intake

  // Every entry of the menu tree reaches a command, but those the design
  // leaves without one.
  const std::set<std::string> withoutCommand = {"mboard", "cpu", "mem", "submitting"};
  for (int i = 0; i < form.mainMenu.menuCount(); ++i) {
    const MenuItem& menu = form.mainMenu.menu(i);
    if (!menu.Visible() && menu.name() != "chann2") continue;  // run-time pop-up menus
    for (int j = 0; j < menu.childCount(); ++j) {
      const MenuItem& entry = menu.child(j);
      if (entry.Caption() == MainMenu::kSeparator) continue;
      EXPECT_NE(form.commands.has(entry.name()), withoutCommand.count(entry.name()) > 0)
          << entry.name();
    }
  }
}

// The menu's captions and order are checked once, on screen, by the main
// window test, and that its entries reach their commands by the test above.
TEST(MainMenuTest, DeclaredEntriesTakeTheirPlacesAndAWiringFaultStopsTheStart) {
  MainMenu menu;
  menu.placeEntry("orders", {"scwizard", 20, "Orders"});
  menu.placeEntry("stgen", {"scwizard", 10, "Store Generator"});
  menu.placeEntry("last", {"scwizard", 90, "Last"});
  const MenuItem& vendaro = *menu.find("scwizard");
  std::vector<std::string> names;
  for (int i = 0; i < vendaro.childCount(); ++i) names.push_back(vendaro.child(i).name());
  EXPECT_EQ(names,
            (std::vector<std::string>{"stgen", "orders", "pppp", "aaa", "pub_shng", "last"}));
  EXPECT_THROW(menu.placeEntry("twice", {"scwizard", 20, "Twice"}), std::logic_error);
  EXPECT_THROW(menu.placeEntry("lost", {"no_such_menu", 10, "Lost"}), std::logic_error);
}

// The reading rules: near misses of the written format are lists (not set
// aside, so written back in the written format at close) and lose no entry.
// (`split`, which only the fuzzer calls, is left to the fuzzer.)
TEST(ListFileParse, ReadsTheWrittenFormatAndItsNearMissesWithoutLosingAnEntry) {
  const Entries two{"a", "b c"};
  for (const char* content :
       {"\"a\r\nb c\r\n\"\r\n", "a\r\nb c\r\n", "a\nb c\n", "\"a\nb c\n\"\n", "\"a\r\nb c",
        "\"a\r\nb c\"", "a\rb c\r", "\"a\r\n\r\n\nb c\r\n\"\r\n"}) {
    EXPECT_TRUE(list_file::parse(content).isList) << content;
    EXPECT_EQ(list_file::parse(content).entries, two) << content;
  }
  // Quotes inside entries stay; only the pair around the whole text goes.
  EXPECT_EQ(list_file::parse("\"say \"hi\"\r\n\"next\"\r\n\"\r\n").entries,
            (Entries{"say \"hi\"", "\"next\""}));
  EXPECT_EQ(list_file::parse(list_file::format({})).entries, Entries{});
  EXPECT_EQ(list_file::parse("").entries, Entries{});
  EXPECT_EQ(list_file::parse("\"").entries, Entries{});
  const list_file::Parsed binary = list_file::parse(std::string("a\r\n\0b", 5));
  EXPECT_FALSE(binary.isList);
  EXPECT_TRUE(binary.entries.empty());
}

TEST(DistinctEntries, KeepsTheFirstOfEqualEntriesInOrderAndSkipsThoseAlreadyPresent) {
  Entries many;
  for (int i = 0; i < 5000; ++i) many.push_back("host" + std::to_string(i % 1000) + ".example");
  const Entries distinct = distinctEntries(many, {"host3.example"});
  ASSERT_EQ(distinct.size(), 999u);
  EXPECT_EQ(distinct[0], "host0.example");
  EXPECT_EQ(distinct[3], "host4.example");
  EXPECT_EQ(distinctEntries({"b", "a", "B", "a", "", "b", ""}, {}), (Entries{"b", "a", "B", ""}));
}

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
}  // namespace vendaro::testing
