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
#include "app/LinkStepping.h"
#include "app/ListFile.h"
#include "app/MainMenu.h"
#include "app/ProgramSettings.h"
#include "app/Subsystems.h"
#include "app/TypedAddress.h"
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

using Calls = std::vector<std::string>;
constexpr int kEnter = 13;
constexpr int kDelete = 46;

using Form1Navigation = Form1Fixture;

TEST_F(Form1Navigation, ToolbarActsOnTheVisiblePaneAndTheMenuOnTheMainPane) {
  Form1& form = loadForm();
  browser5->calls.clear();
  form.Picture23_MouseUp();  // "Browser 2" shown

  form.Picture2_Click();
  form.Picture3_Click();
  form.Picture5_Click();
  form.Picture6_Click();
  EXPECT_EQ(browser5->calls,
            (Calls{"GoBack", "GoForward", "Navigate http://vendor.example", "Refresh"}));

  form.back_Click();
  form.forward_Click();
  form.home_Click();
  form.refresh_Click();
  form.sear_Click();
  form.search_Click();
  EXPECT_EQ(browser1->calls,
            (Calls{"GoBack", "GoForward", "Navigate http://vendor.example", "Refresh"}));
  EXPECT_EQ(browser5->calls.size(), 4u);
}

TEST_F(Form1Navigation, StopHaltsTheVisiblePaneTheCrawlerAndTheResearchFetchers) {
  Form1& form = loadPluggedForm();
  form.research.linksGathered = true;
  browser1->locationName = "Main page";
  form.Picture23_MouseUp();
  form.Picture4_Click();

  EXPECT_EQ(browser5->calls.back(), "Stop");
  EXPECT_TRUE(browser1->calls.empty());
  // The crawler's and the reader's hidden panes stop; every fetcher is cancelled.
  EXPECT_EQ(hiddenBrowser(4).calls, Calls{"Stop"});
  EXPECT_EQ(hiddenBrowser(2).calls, Calls{"Stop"});
  for (int number = 1; number <= 4; ++number) EXPECT_GE(inet(number).cancelCount, 1) << number;
  EXPECT_EQ(inet(5).cancelCount, 0);
  EXPECT_EQ(inet(10).cancelCount, 0);
  EXPECT_FALSE(form.research.linksGathered);
  // The caption names the main pane's page even while the second pane is shown.
  EXPECT_EQ(form.Caption.Caption(), "Main page");
}

TEST_F(Form1Navigation, BrowserErrorsDoNotStopACommand) {
  Form1& form = loadPluggedForm();
  browser1->failing = true;
  hiddenBrowser(4).failing = true;
  browser1->locationName = "Still here";
  EXPECT_NO_THROW(form.Picture2_Click());
  EXPECT_NO_THROW(form.back_Click());
  EXPECT_NO_THROW(form.Picture4_Click());
  EXPECT_GE(inet(4).cancelCount, 1);
  EXPECT_EQ(form.Caption.Caption(), "Still here");
}

TEST_F(Form1Navigation, KeywordBarEnterInsertsAtTheTopAndDeleteRemovesTheFirstEqualEntry) {
  Form1& form = loadForm();
  for (const char* keyword : {"cars", "boats", "cars"}) {
    form.Combo1.setText(keyword);
    form.Combo1_KeyPress(kEnter);
    EXPECT_EQ(form.Combo1.Text(), "");
  }
  EXPECT_EQ(form.Combo1.items(), (Entries{"cars", "boats", "cars"}));

  form.Combo1.setText("x");
  form.Combo1_KeyPress('x');
  form.Combo1_KeyDown(13);
  EXPECT_EQ(form.Combo1.ListCount(), 3);
  EXPECT_EQ(form.Combo1.Text(), "x");

  form.Combo1.setText("Cars");  // exact comparison: no entry matches
  form.Combo1_KeyDown(kDelete);
  EXPECT_EQ(form.Combo1.ListCount(), 3);
  EXPECT_EQ(form.Combo1.Text(), "");
  form.Combo1.setText("cars");
  form.Combo1_KeyDown(kDelete);
  EXPECT_EQ(form.Combo1.items(), (Entries{"boats", "cars"}));
}

// The panes' sizes follow the window (checked on screen), but never shrink below zero.
TEST_F(Form1Navigation, ResizeKeepsSizesThatWouldBeNegative) {
  Form1& form = loadForm();
  form.Form_Resize(9000.5f, 6000);
  form.Form_Resize(2000, 900);
  EXPECT_FLOAT_EQ(form.layout.Picture1.width, 1970);
  EXPECT_FLOAT_EQ(form.layout.Combo2.width, 5830.5f);
  EXPECT_FLOAT_EQ(form.layout.WebBrowser1.height, 6000 - form.layout.StatusBar1.height - 870);
}

using Form1AddressBar = Form1Fixture;

TEST_F(Form1AddressBar, EnterAddsTheAddressOnceAndOpensItInTheVisiblePane) {
  Form1& form = loadForm();
  form.Combo2.setText("http://shop.example/");
  form.Combo2_KeyPress(kEnter);
  form.Combo2_KeyPress(kEnter);
  EXPECT_EQ(form.Combo2.items(), Entries{"http://shop.example/"});
  EXPECT_EQ(browser1->navigations, (Entries{"http://shop.example/", "http://shop.example/"}));
  // Only the start-up page went to the hidden pane.
  EXPECT_EQ(browser5->navigations.size(), 1u);

  // Other keys do nothing.
  form.Combo2.setText("http://x");
  form.Combo2_KeyPress('a');
  EXPECT_EQ(form.Combo2.ListCount(), 1);
  EXPECT_EQ(browser1->navigations.size(), 2u);

  // On a full bar Enter drops the oldest, even for a known address.
  form.Combo2.Clear();
  for (int i = 0; i < 19; ++i) form.Combo2.AddItem("http://a" + std::to_string(i));
  form.Combo2.setText("http://a5");
  form.Combo2_KeyPress(kEnter);
  EXPECT_EQ(form.Combo2.ListCount(), 18);
  EXPECT_EQ(form.Combo2.List(0), "http://a1");
}

TEST_F(Form1AddressBar, PrivateHistoryRefusesMatchingAddressesExceptByItsLastEntry) {
  Form1& form = loadForm();
  int privateZoneEntries = 0;
  form.hooks.enterPrivateZone = [&] { ++privateZoneEntries; };
  for (const char* entry : {"secret.example", "last.example"}) form.saved.domain.AddItem(entry);
  for (const char* link : {"http://SECRET.example/1", "http://secret.example/2", "http://ok/",
                           "http://secret.example/3"}) {
    form.saved.listlinks.AddItem(link);
  }

  form.Combo2.setText("http://www.Secret.Example/page");
  form.Combo2_Click();
  EXPECT_EQ(dialogs.messageTexts(), Entries{" Sorry! You have no right to see it!!!"});
  EXPECT_EQ(privateZoneEntries, 1);
  EXPECT_TRUE(browser1->navigations.empty());
  // The second matching link moved into a visited position and stays.
  EXPECT_EQ(form.saved.listlinks.items(), (Entries{"http://secret.example/2", "http://ok/"}));

  form.Combo2.setText("http://last.example/");
  form.Combo2_Click();
  EXPECT_EQ(browser1->navigations, Entries{"http://last.example/"});
}

TEST_F(Form1AddressBar, AnEmptyEntryRefusesAllOutsideThePrivateZoneAndAOneEntryHistoryNothing) {
  Form1& form = loadForm();
  form.saved.domain.AddItem("");
  form.saved.domain.AddItem("x");
  form.Combo2.setText("http://anything/");
  form.Combo2_Click();
  EXPECT_EQ(dialogs.messages.size(), 1u);
  form.zone.inPrivateZone = true;
  form.Combo2_Click();
  EXPECT_EQ(browser1->navigations, Entries{"http://anything/"});

  // A matching entry that is the only one, and so the last, refuses nothing.
  form.zone.inPrivateZone = false;
  form.saved.domain.Clear();
  form.saved.domain.AddItem("anything");
  form.Combo2_Click();
  EXPECT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(browser1->navigations.size(), 2u);
}

// A main window whose toolbar commands are recorded instead of run.
class ToolbarTest : public Form1Fixture {
 protected:
  Form1& loadRecording() {
    Form1& form = loadForm();
    for (const auto& button : form.toolbar.buttons()) {
      const std::string name = button->name;
      auto record = [this, name] { ran.push_back(name); };
      if (form.commands.has(name)) {
        form.commands.replace(name, record);
      } else {
        form.commands.add(name, record);
      }
    }
    return form;
  }
  std::string look(const char* name) {
    return std::filesystem::path(form->toolbar.button(name).picture.Picture()).filename().string();
  }
  Entries ran;
};

TEST_F(ToolbarTest, LooksFollowThePointerAndTheButtonsTheirRules) {
  Form1& form = loadRecording();
  Toolbar& toolbar = form.toolbar;
  EXPECT_EQ(look("Picture2"), "back1.bmp");  // every button starts normal
  toolbar.MouseMove("Picture3");
  toolbar.MouseMove("Picture4");  // sliding on: the neighbour goes back to normal
  EXPECT_EQ(look("Picture3"), "forward1.bmp");
  EXPECT_EQ(look("Picture4"), "stop1_on.bmp");
  toolbar.MouseMove("Picture2");
  EXPECT_EQ(look("Picture2"), "back1_up.bmp");

  // A first-row button: left press and release, the command on the click.
  toolbar.MouseDown("Picture5", MouseButton::Left);
  EXPECT_EQ(look("Picture5"), "home1_down.bmp");
  toolbar.MouseUp("Picture5", MouseButton::Left);
  toolbar.Click("Picture5");
  EXPECT_EQ(look("Picture5"), "home1.bmp");
  // A launcher ignores the right button; the left release starts it.
  toolbar.MouseDown("Picture21", MouseButton::Right);
  toolbar.MouseUp("Picture21", MouseButton::Right);
  EXPECT_EQ(look("Picture21"), "calk.bmp");
  toolbar.MouseDown("Picture21", MouseButton::Left);
  EXPECT_EQ(look("Picture21"), "calk_down.bmp");
  toolbar.MouseUp("Picture21", MouseButton::Left);
  EXPECT_EQ(look("Picture21"), "calk.bmp");
  // Any button presses the second row; the release runs and keeps the look.
  toolbar.MouseDown("Picture23", MouseButton::Right);
  toolbar.MouseUp("Picture23", MouseButton::Right);
  EXPECT_EQ(look("Picture23"), "switch_down.bmp");
  toolbar.MouseUp("Picture28", MouseButton::Middle);
  toolbar.MouseDown("Picture24", MouseButton::Left);  // no pressed look
  EXPECT_EQ(look("Picture24"), "nexthome.bmp");
  toolbar.MouseUp("Picture24", MouseButton::Left);
  EXPECT_EQ(ran, (Entries{"Picture5", "Picture21", "Picture23", "Picture28", "Picture24"}));

  // A missing bitmap keeps the look; the background resets every button.
  std::filesystem::remove(folder.file("stop1.bmp"));
  toolbar.MouseMove("Picture4");
  toolbar.Form_MouseMove();
  EXPECT_EQ(look("Picture4"), "stop1_on.bmp");
  EXPECT_EQ(look("Picture23"), "switch.bmp");
  EXPECT_EQ(look("Picture2"), "back1.bmp");
}

TEST_F(ToolbarTest, DefaultBitmapsFillOnlyTheMissingFiles) {
  folder.write("home1.bmp", "mine");
  Form1& form = loadForm();
  EXPECT_EQ(folder.read("home1.bmp"), "mine");
  for (const std::string& name : form.toolbar.bitmapNames()) {
    EXPECT_EQ(folder.read(name).substr(0, 2), name == "home1.bmp" ? "mi" : "BM") << name;
  }
  EXPECT_EQ(form.toolbar.bitmapNames().size(), 59u);
}

TEST_F(ToolbarTest, LinkSteppingStopsAtBothEndsAndClears) {
  Form1& form = loadForm();
  for (const char* link : {"http://a.example/", "http://b.example/"})
    form.research.List7.AddItem(link);
  form.research.List3.AddItem("<a href='http://a.example/'>First link</a>");
  form.research.List3.AddItem("<a href='http://b.example/'>Second</a> rest");
  browser1->navigations.clear();
  const auto step = [&form](const char* button) {
    form.commands.run(button);
    return form.StatusBar1.panelText(1);
  };
  EXPECT_EQ(step("Picture26"), "Page # Start");
  EXPECT_EQ(step("Picture27"), "--> Second");
  EXPECT_EQ(step("Picture27"), "Page # End");
  EXPECT_EQ(step("Picture26"), "First link <-- ");
  EXPECT_EQ(browser1->navigations, (Entries{"http://a.example/", "http://b.example/",
                                            "http://b.example/", "http://a.example/"}));
  form.commands.run("Picture28");
  EXPECT_EQ(form.research.List7.ListCount(), 0);
  EXPECT_EQ(form.StatusBar1.panelText(2), "List is clear");
  EXPECT_EQ(LinkStepping::linkText("no tag"), "");
  EXPECT_EQ(LinkStepping::linkText("<b>open"), "open");
}

TEST_F(ToolbarTest, FileCommandsActOnTheShownPaneAndPrintOnTheMainOne) {
  Form1& form = loadForm();
  form.Picture23_MouseUp();  // "Browser 2" shown
  dialogs.fileAnswers = {std::string("/tmp/page.htm"), std::nullopt, std::nullopt};
  form.menu_Click("open_file");
  EXPECT_EQ(browser5->navigations.back(), "/tmp/page.htm");
  EXPECT_TRUE(browser1->navigations.empty() || browser1->navigations.back() != "/tmp/page.htm");
  form.menu_Click("opcollect");
  form.zone.inPrivateZone = true;
  form.menu_Click("opcollect");
  EXPECT_EQ(dialogs.filters, (Entries{FileCommands::kOpenFilter, FileCommands::kCollectionFilter,
                                      FileCommands::kPrivateCollectionFilter}));
  for (const char* entry : {"save_file", "copy", "selectall", "print", "pagesetup"}) {
    form.menu_Click(entry);
  }
  EXPECT_EQ(browser5->commands,
            (std::vector<BrowserCommand>{BrowserCommand::SaveAs, BrowserCommand::Copy,
                                         BrowserCommand::SelectAll}));
  EXPECT_EQ(browser1->commands,
            (std::vector<BrowserCommand>{BrowserCommand::Print, BrowserCommand::PageSetup}));
  form.menu_Click("about");
  EXPECT_EQ(browser1->navigations.back(), "http://vendor.example/about.htm");
}

TEST_F(ToolbarTest, LaunchersStartTheSetProgramOrSayWhichSettingToChange) {
  launcher.installed = {"kcalc", "xcalc"};
  Form1& form = loadForm();
  form.commands.run("Picture21");
  form.commands.run("Picture19");
  EXPECT_EQ(launcher.started, (Entries{"kcalc", "xdg-email"}));
  launcher.installed.clear();
  form.commands.run("Picture21");
  launcher.failing = true;
  form.commands.run("pub_shng");
  EXPECT_EQ(dialogs.messageTexts(),
            (Entries{"No program could not be started. Set [programs] calculator in vendaro.toml "
                     "to a program that is installed.",
                     "The program \"filezilla\" could not be started. Set [programs] publisher in "
                     "vendaro.toml to a program that is installed."}));
}

TEST_F(ToolbarTest, ATypedTextThatIsNoAddressShowsAPageSayingSo) {
  Form1& form = loadForm();
  for (const char* address :
       {"www.example.com", "http://", "localhost:8080/x", "/tmp/a.htm", "about:blank"}) {
    EXPECT_TRUE(isOpenableAddress(address)) << address;
  }
  EXPECT_FALSE(isOpenableAddress("asdf"));
  form.Combo2.setText("asdf <qwer>!!");
  form.Combo2_KeyPress(13);
  ASSERT_EQ(browser1->written.size(), 1u);
  EXPECT_NE(browser1->written[0].find("&quot;asdf &lt;qwer&gt;!!&quot; is not a web address"),
            std::string::npos);
  EXPECT_TRUE(browser1->navigations.empty() || browser1->navigations.back() != "asdf <qwer>!!");
}

TEST_F(ToolbarTest, TheWindowPlaceIsKeptBetweenRuns) {
  Form1& form = loadForm();
  form.windowState = "AdnQywADAAA=";
  form.Form_Unload();
  Form1& restarted = makeForm();
  EXPECT_EQ(restarted.windowState, "");
  restarted.Form_Load();
  EXPECT_EQ(restarted.windowState, "AdnQywADAAA=");
}

using Kind = DocumentEvent::Kind;

class RecordingVisits : public VisitRecorder {
 public:
  void recordVisitedDomain(ListControl& history, const PageDocument& document) override {
    history.AddItem(document.domain);
  }
};

class RecordingPictures : public PictureCollector {
 public:
  void collectPageImages(const PageDocument& document) override {
    collected.push_back(document.url);
  }
  void addToCatalog(const DocumentEvent& click, bool mainPane) override {
    clicks.push_back((mainPane ? "main " : "second ") + click.href);
  }
  void privateZonePageCompleted(FrameLevel level) override {
    privatePages.push_back(level == FrameLevel::TopLevel ? "page" : "frame");
  }
  Entries collected;
  Entries clicks;
  Entries privatePages;
};

std::shared_ptr<PageDocument> page(const std::string& url, const std::string& title,
                                   const std::string& domain) {
  auto document = std::make_shared<PageDocument>();
  document->url = url;
  document->title = title;
  document->domain = domain;
  return document;
}

class Form1PaneEvents : public Form1Fixture {
 protected:
  Form1PaneEvents() {
    loadForm();
    form->hooks.visitRecorder = &visits;
    form->hooks.pictureCollector = &pictures;
    browser1->pages["http://shop.example/"] = page("http://shop.example/", "Shop", "shop.example");
    browser5->pages["http://two.example/"] = page("http://two.example/", "Two", "two.example");
  }

  // Points a browser at a page and raises only its navigate-complete event.
  static void navigateCompleted(FakeBrowser& browser, FrameLevel level = FrameLevel::TopLevel) {
    browser.locationUrl = "http://shop.example/";
    browser.locationName = "Shop";
    browser.onNavigateComplete(level, browser.locationUrl);
  }

  void openInMainPane() {
    browser1->Navigate("http://shop.example/");
    browser1->completeNavigation();
  }

  const std::string& pageState() const { return form->StatusBar1.panelText(1); }

  RecordingVisits visits;
  RecordingPictures pictures;
};

TEST_F(Form1PaneEvents, MainPaneNavigationShowsAddressAndCaptionOnlyInThePublicZone) {
  form->zone.inPrivateZone = true;
  navigateCompleted(*browser1);
  browser1->onDownloadComplete();
  EXPECT_EQ(form->Combo2.Text(), "http://");
  EXPECT_EQ(form->Caption.Caption(), "Form1");
  EXPECT_EQ(pageState(), "Done");

  form->zone.inPrivateZone = false;
  navigateCompleted(*browser1);
  EXPECT_EQ(form->Combo2.Text(), "http://shop.example/");
  EXPECT_EQ(form->Caption.Caption(), "Shop");
  EXPECT_EQ(pageState(), "Working...");
  browser1->onDownloadComplete();
  EXPECT_EQ(pageState(), "Done");
}

// The bars show the pane on screen: a page completing in the hidden main
// pane changes neither them nor the caption, and switching shows its address.
TEST_F(Form1PaneEvents, HiddenMainPaneLeavesTheWindowAloneUntilItIsShown) {
  browser5->locationUrl = "http://two.example/";
  form->Picture23_MouseUp();  // "Browser 2"
  EXPECT_EQ(form->Combo2.Text(), "http://two.example/");
  form->StatusBar1.setPanelText(1, "translating");
  navigateCompleted(*browser1);
  browser1->onDownloadComplete();
  EXPECT_EQ(form->Combo2.Text(), "http://two.example/");
  EXPECT_EQ(form->Caption.Caption(), "Browser 2");
  EXPECT_EQ(pageState(), "translating");
  form->Picture23_MouseUp();
  EXPECT_EQ(form->Combo2.Text(), "http://shop.example/");
  // In the private zone the address bar keeps its text.
  form->zone.inPrivateZone = true;
  form->Picture23_MouseUp();
  EXPECT_EQ(form->Combo2.Text(), "http://shop.example/");
}

TEST_F(Form1PaneEvents, SecondPaneUpdatesTheBarsOnlyWhenShownAndFollowsItsPageEither) {
  // A frame's navigation does not follow the document.
  navigateCompleted(*browser5, FrameLevel::Frame);
  browser5->raiseDocumentEvent(Kind::Click, "http://two.example/a.jpg");
  EXPECT_TRUE(pictures.clicks.empty());

  navigateCompleted(*browser5);  // hidden: bars untouched, page events followed
  EXPECT_EQ(form->Caption.Caption(), "Form1");
  browser5->raiseDocumentEvent(Kind::Click, "http://two.example/a.jpg");
  browser5->raiseDocumentEvent(Kind::MouseOver, "http://two.example/b");
  EXPECT_EQ(pictures.clicks, Entries{"second http://two.example/a.jpg"});
  EXPECT_EQ(pageState(), "");

  form->Picture23_MouseUp();
  navigateCompleted(*browser5);
  EXPECT_EQ(form->Combo2.Text(), "http://shop.example/");
  EXPECT_EQ(form->Caption.Caption(), "Shop");
  EXPECT_EQ(pageState(), "Working...");
}

TEST_F(Form1PaneEvents, SecondPaneCompletionGoesToTheImageBufferOnlyInThePrivateZone) {
  browser5->Navigate("http://two.example/");
  browser5->completeNavigation();
  EXPECT_TRUE(pictures.privatePages.empty());
  form->zone.inPrivateZone = true;
  browser5->completeFrame("http://two.example/frame.htm");
  browser5->completeNavigation();
  EXPECT_EQ(pictures.privatePages, (Entries{"frame", "page"}));
  // Pages of the second pane are not recorded in the history.
  EXPECT_EQ(form->saved.domain2.ListCount(), 0);
}

TEST_F(Form1PaneEvents, CompletedPagesAreRecordedByZoneAndAlwaysCollected) {
  openInMainPane();
  EXPECT_EQ(form->saved.domain2.items(), Entries{"shop.example"});

  form->zone.inPrivateZone = true;
  openInMainPane();
  EXPECT_EQ(form->saved.domain.ListCount(), 0);
  form->zone.keepRecord = true;
  openInMainPane();
  EXPECT_EQ(form->saved.domain.items(), Entries{"shop.example"});
  EXPECT_EQ(form->saved.domain2.ListCount(), 1);
  EXPECT_EQ(pictures.collected.size(), 3u);

  // The engine's error page after a failed load is neither recorded nor collected.
  form->zone.inPrivateZone = false;
  browser1->pages["http://down.example/"] =
      page("chrome-error://chromewebdata/", "down.example", "chromewebdata");
  browser1->Navigate("http://down.example/");
  browser1->completeNavigation();
  EXPECT_EQ(form->saved.domain2.ListCount(), 1);
  EXPECT_EQ(pictures.collected.size(), 3u);
}

TEST_F(Form1PaneEvents, ProcessingWithoutAPageOrWithoutHelpersDoesNothing) {
  form->ProcessCompletedPage();
  EXPECT_TRUE(pictures.collected.empty());
  form->hooks.visitRecorder = nullptr;
  form->hooks.pictureCollector = nullptr;
  openInMainPane();
  EXPECT_EQ(form->saved.domain2.ListCount(), 0);
  EXPECT_EQ(pageState(), "Done");
}

TEST_F(Form1PaneEvents, FrameCompletionProcessesThePageButFollowsOnlyTheTopLevelDocument) {
  browser1->document = page("http://shop.example/", "Shop", "shop.example");
  browser1->completeFrame("http://shop.example/menu.htm");
  EXPECT_EQ(pictures.collected, Entries{"http://shop.example/"});
  EXPECT_EQ(form->saved.domain2.items(), Entries{"shop.example"});
  form->StatusBar1.setPanelText(1, "Done");
  browser1->raiseDocumentEvent(Kind::MouseOut);
  EXPECT_EQ(pageState(), "Done");

  browser1->onDocumentComplete(FrameLevel::TopLevel, "http://shop.example/");
  browser1->raiseDocumentEvent(Kind::MouseOut);
  EXPECT_EQ(pageState(), "");
}

TEST_F(Form1PaneEvents, PageEventsShowLinkAddressesAndPassClicks) {
  openInMainPane();
  browser1->raiseDocumentEvent(Kind::MouseOver, "http://shop.example/cart");
  EXPECT_EQ(pageState(), "http://shop.example/cart");
  browser1->raiseDocumentEvent(Kind::MouseOut);
  EXPECT_EQ(pageState(), "");
  browser1->raiseDocumentEvent(Kind::MouseOver, "http://shop.example/x");
  browser1->raiseDocumentEvent(Kind::MouseOver);  // an element without href
  EXPECT_EQ(pageState(), "");
  browser1->raiseDocumentEvent(Kind::Click, "http://shop.example/p.jpg");
  EXPECT_EQ(pictures.clicks, Entries{"main http://shop.example/p.jpg"});

  form->zone.inPrivateZone = true;
  form->StatusBar1.setPanelText(1, "Done");
  browser1->raiseDocumentEvent(Kind::MouseOver, "http://shop.example/cart");
  EXPECT_EQ(pageState(), "Done");
  browser1->raiseDocumentEvent(Kind::MouseOut);
  EXPECT_EQ(pageState(), "");
}

TEST_F(Form1PaneEvents, LeavingThePageOrAHiddenPaneEndsFollowingItsEvents) {
  openInMainPane();
  browser1->Navigate("http://elsewhere.example/");
  browser1->raiseDocumentEvent(Kind::MouseOver, "http://shop.example/cart");
  browser1->raiseDocumentEvent(Kind::Click, "http://shop.example/p.jpg");
  EXPECT_EQ(pageState(), "Done");
  EXPECT_TRUE(pictures.clicks.empty());

  form->Picture23_MouseUp();
  browser1->completeNavigation();  // completes while hidden: still processed
  EXPECT_EQ(pictures.collected.size(), 2u);
  browser1->raiseDocumentEvent(Kind::MouseOut);
  EXPECT_EQ(pageState(), "Done");
}

TEST_F(Form1PaneEvents, AClosedWindowNoLongerListensToItsPanes) {
  form.reset();
  EXPECT_FALSE(browser1->onNavigateComplete);
  EXPECT_FALSE(browser1->onDocumentEvent);
  EXPECT_FALSE(browser5->onDocumentComplete);
}

}  // namespace
}  // namespace vendaro::testing
