#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "browse/Browsing.h"
#include "browse/ListRecords.h"
#include "browse/Translation.h"
#include "platform/curl/CurlTransfer.h"
#include "tests/app/Form1Fixture.h"
#include "tests/support/LocalHttpServer.h"
#include "tests/support/LoopPump.h"

namespace vendaro::testing {
namespace {

// A main window over fakes (or the transfers `makeTransfer` makes) with the
// browsing subsystem plugged in, as the program composes it. Pop-up menus choose `popupChoice`
// (none when -1).
class BrowseFixture : public Form1Fixture {
 protected:
  // Starts the window as the program does; a second call is a restart.
  Browsing& start() {
    if (form) form->Form_Unload();
    makeForm();
    browsing = &addBrowsing(plugInWorkbench());
    form->offers.popupMenu = [this](const MenuItem& menu, const std::function<void(int)>& chosen) {
      poppedUp.push_back(menu.name());
      if (popupChoice >= 0) chosen(popupChoice);
    };
    form->Form_Load();
    return *browsing;
  }

  // Shows a page with `domain` in WebBrowser1, as its completion reports it.
  void visit(const std::string& address, const std::string& domain) {
    auto page = std::make_shared<PageDocument>();
    page->url = address;
    page->domain = domain;
    browser1->pages[address] = page;
    browser1->Navigate(address);
    browser1->completeNavigation();
  }

  void run(const std::string& command) { ASSERT_TRUE(form->commands.run(command)) << command; }

  Browsing* browsing = nullptr;
  std::vector<std::string> poppedUp;
  int popupChoice = -1;
};

using Entries = std::vector<std::string>;

std::vector<std::string> captions(const MenuItem& menu) {
  std::vector<std::string> result;
  for (int i = 0; i < menu.childCount(); ++i) result.push_back(menu.child(i).Caption());
  return result;
}

class BrowsingTest : public BrowseFixture {};

TEST_F(BrowsingTest, RecordsEachDomainOncePerZoneAndNoEmptyOrUnkeptEntry) {
  start();
  for (int i = 0; i < 10; ++i) visit("http://shop.example/p" + std::to_string(i), "shop.example");
  visit("file:///tmp/page.htm", "");
  EXPECT_EQ(form->saved.domain2.items(), Entries{"shop.example"});

  dialogs.messageAnswers = {MessageResult::Yes};
  run("privatte");
  visit("http://secret.example/", "secret.example");
  visit("http://Secret.example/", "Secret.example");  // case counts
  visit("about:blank", "");
  EXPECT_EQ(form->saved.domain.items(), (Entries{"secret.example", "Secret.example"}));
  EXPECT_EQ(form->saved.domain2.items(), Entries{"shop.example"});
}

TEST_F(BrowsingTest, FavoritesAreAddedWrittenOpenedAndDeletedByZone) {
  start();
  visit("http://a.example/one", "a.example");
  run("add");
  run("add");
  EXPECT_EQ(folder.read("favor2.txt"), "\"http://a.example/one\r\nhttp://a.example/one\r\n\"\r\n");

  // The button shows the list alone; the history button replaces it; twice hides.
  run("Picture9");
  EXPECT_TRUE(form->saved.favorit2.Visible());
  run("Picture10");
  EXPECT_FALSE(form->saved.favorit2.Visible());
  EXPECT_TRUE(form->saved.domain2.Visible());
  run("history");
  EXPECT_FALSE(form->saved.domain2.Visible());

  // The right button opens the selected favorite in the shown pane.
  form->Picture23_MouseUp();
  form->saved.favorit2.setListIndex(1);
  run("favorit2_RightButton");
  EXPECT_EQ(browser5->navigations.back(), "http://a.example/one");
  // A history entry always opens in WebBrowser1.
  form->saved.domain2.setListIndex(0);
  run("domain2_RightButton");
  EXPECT_EQ(browser1->navigations.back(), "a.example");

  // A double-click deletes at once and rewrites the file.
  run("favorit2_DblClick");
  EXPECT_EQ(folder.read("favor2.txt"), "\"http://a.example/one\r\n\"\r\n");
  form->Picture23_MouseUp();

  // In the private zone the private list and file are used.
  run("privatte");
  run("add");
  EXPECT_EQ(folder.read("favor.prv"), "\"http://a.example/one\r\n\"\r\n");
}

// A favorites file set aside at start as unreadable is never written over;
// the user is told once where it is and what to do.
TEST_F(BrowsingTest, AFavoritesListSetAsideIsNeverWrittenAndAddingConfirms) {
  const std::string unreadable("\"a\0b\r\n\"\r\n", 8);
  folder.write("favor2.txt", unreadable);
  start();
  loop.runPending();
  dialogs.messages.clear();
  visit("http://a.example/one", "a.example");
  run("add");
  run("add");
  form->saved.favorit2.setListIndex(0);
  run("favorit2_DblClick");
  EXPECT_EQ(form->saved.favorit2.items(), Entries{"http://a.example/one"});
  EXPECT_EQ(form->StatusBar1.panelText(1), "Added to Your Favorites: http://a.example/one");
  EXPECT_EQ(folder.read("favor2.txt"), unreadable);
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_NE(dialogs.messages[0].text.find(folder.file("favor2.txt").string()), std::string::npos);
  EXPECT_NE(dialogs.messages[0].text.find("Repair or move that file"), std::string::npos);
}

TEST_F(BrowsingTest, PublicListsBuildMenusAndChoicesOpenTheirAddresses) {
  start();
  // The search button is the toolbar's own, hidden until the lists are in.
  EXPECT_EQ(&browsing->lists.Picture8, &form->toolbar.button("Picture8").picture);
  EXPECT_FALSE(browsing->lists.Picture8.Visible());
  // A record cut short before its ">" keeps its caption.
  inet(6).complete(
      "A<http://a1.example/>B<b1.htm>Bad<javascript:alert(1)>\r\nC<http://c.example/>D<http:/");
  EXPECT_FALSE(browsing->lists.Picture11.Visible());  // Inet7 is still running
  inet(7).fail();
  EXPECT_EQ(form->StatusBar1.panelText(1), "The search engine list could not be loaded");
  EXPECT_EQ(captions(browsing->lists.pubs), Entries{""});
  EXPECT_TRUE(browsing->lists.Picture8.Visible());
  EXPECT_TRUE(browsing->lists.Picture11.Visible());
  EXPECT_EQ(captions(browsing->lists.pubch), (Entries{"A", "B", "\r\nC", "D"}));
  EXPECT_EQ(
      browsing->lists.ara2.items(),
      (Entries{"", "http://a1.example/", "http://vendor.example/b1.htm", "http://c.example/", ""}));

  // Choosing B asks about the background; Yes opens it in the hidden pane.
  popupChoice = 1;
  dialogs.messageAnswers = {MessageResult::Yes};
  run("chann");
  EXPECT_EQ(poppedUp, Entries{"pubch"});
  EXPECT_EQ(dialogs.messages.back().text, "Would You like open it in a background mode?");
  EXPECT_EQ(dialogs.messages.back().buttons, MessageButtons::YesNo);
  EXPECT_EQ(browser5->navigations,
            (Entries{"http://vendor.example/welcome.htm", "http://vendor.example/b1.htm"}));
  EXPECT_TRUE(form->zone.keepRecord);
}

TEST_F(BrowsingTest, PrivateListsLoadOnEntryRetryOnceAndFailuresKeepTheMenus) {
  start();
  dialogs.messageAnswers = {MessageResult::Yes};
  run("privatte");
  EXPECT_FALSE(browsing->lists.Picture11.Visible());
  inet(8).complete("S<http://s.example/>");
  EXPECT_TRUE(browsing->lists.Picture8.Visible());
  inet(5).fail();
  loop.advance(ChannelLists::kRetryMs * 3);  // one retry only
  inet(5).complete("P<http://p.example/>Q<http://q.example/>");
  EXPECT_EQ(inet(5).executed.size(), 2u);
  EXPECT_EQ(captions(browsing->lists.privch), (Entries{"P", "Q"}));

  // The pop-up inside the zone stops the record and hides the address bar.
  popupChoice = 0;
  run("Picture8");
  EXPECT_EQ(poppedUp.back(), "privs");
  EXPECT_FALSE(form->zone.keepRecord);
  EXPECT_FALSE(form->Combo2.Visible());
  EXPECT_EQ(browser1->navigations.back(), "http://s.example/");

  // Leaving and entering again: a failed download leaves the menu as it was.
  run("privatte");
  run("privatte");
  inet(5).fail();
  EXPECT_EQ(captions(browsing->lists.privch), (Entries{"P", "Q"}));
  EXPECT_EQ(browsing->lists.privchann.ListCount(), 3);
  // Closing the window drops the entries the lists added to the menus.
  form->Form_Unload();
  EXPECT_EQ(browsing->lists.privch.childCount(), 1);
}

TEST_F(BrowsingTest, PrivateZoneRoundTripAndRefusedAddress) {
  start();
  dialogs.messageAnswers = {MessageResult::Yes};
  run("privatte");
  EXPECT_EQ(browser1->navigations.back(), "http://vendor.example/private/start.htm");
  EXPECT_TRUE(form->zone.inPrivateZone && form->zone.keepRecord);
  visit("http://hidden.example/", "hidden.example");
  visit("http://later.example/", "later.example");

  form->Combo2.setText("typed");
  run("privatte");
  EXPECT_FALSE(form->zone.inPrivateZone || form->zone.keepRecord);
  // Nothing of the zone stays: blank panes without history, the public texts.
  for (FakeBrowser* pane : {browser1.get(), browser5.get()}) {
    EXPECT_EQ(pane->navigations.back(), "about:blank");
    EXPECT_EQ(pane->calls.back(), "clearHistory");
  }
  EXPECT_EQ(form->Combo2.Text(), "");
  EXPECT_EQ(form->StatusBar1.panelText(2), "Public zone");

  // A privately recorded site typed outside the zone is refused and enters it.
  dialogs.messageAnswers = {MessageResult::Ok, MessageResult::No};
  form->Combo2.setText("http://HIDDEN.example/x");
  form->Combo2_KeyPress(13);
  EXPECT_EQ(dialogs.messageTexts().at(dialogs.messages.size() - 2),
            " Sorry! You have no right to see it!!!");
  EXPECT_TRUE(form->zone.inPrivateZone);
  EXPECT_EQ(form->StatusBar1.panelText(2), "Your tracking will not keeped !!! ");
}

TEST_F(BrowsingTest, NextHomePageShowsTheQueueThenReloadsTheList) {
  start();
  inet(10).complete("http://h1.example/\r\nhttp://h2.example/\r\nignored");
  EXPECT_EQ(browser1->navigations, Entries{"http://h1.example/"});
  EXPECT_EQ(form->saved.List6.items(), Entries{"http://h1.example/"});

  // The next-page button shows the queue's next page, then reloads the list.
  run("Picture24");
  EXPECT_EQ(browser1->navigations.back(), "http://h2.example/");
  run("Picture24");
  EXPECT_EQ(inet(10).executed.size(), 2u);
}

TEST_F(BrowsingTest, AnUnreachableVendorShowsTheShippedStartPageWhoseLinksRunTools) {
  bool ordersOpened = false;
  start();
  form->commands.add("orders", [&] { ordersOpened = true; });
  form->commands.replace("exit", [] { FAIL() << "the page may run only the tools it offers"; });
  inet(10).fail();
  ASSERT_EQ(browser1->written.size(), 1u);
  const std::string& page = browser1->written.front();
  EXPECT_NE(page.find("base_url"), std::string::npos);
  EXPECT_NE(page.find("<code>http://vendor.example</code>"), std::string::npos);
  // The program's own page is recorded nowhere.
  PageDocument own;
  own.domain = "vendaro.invalid";
  browsing->favorites.recordVisitedDomain(form->saved.domain2, own);
  EXPECT_TRUE(form->saved.domain2.items().empty());

  browser1->Navigate("http://vendaro.invalid/command/exit");
  browser1->Navigate("http://vendaro.invalid/command/orders");
  loop.runPending();
  EXPECT_TRUE(ordersOpened);
  EXPECT_TRUE(browser1->navigations.empty());
  // Once another page is asked for, the links are plain addresses again.
  browser1->Navigate("http://shop.example/");
  ordersOpened = false;
  browser1->Navigate("http://vendaro.invalid/command/orders");
  loop.runPending();
  EXPECT_FALSE(ordersOpened);
  // A page the user opened before the answer came is not replaced.
  inet(10).Execute("http://vendor.example/list5.txt");
  inet(10).fail();
  EXPECT_EQ(browser1->written.size(), 1u);
}

TEST_F(BrowsingTest, TranslationLoadsTheEncodedRequestIntoTheHiddenPane) {
  context.settings =
      SettingsFile::parse("[translation]\nbase_url = \"http://babel.example\"\n", "vendaro.toml");
  start();
  form->Combo2.setText("http://a.example/p?x=1&y=a b");
  run("en_de");
  EXPECT_EQ(browser5->navigations.back(),
            "http://babel.example/cgi-bin/translate?urltext=http%3A%2F%2Fa.example%2Fp%3Fx%3D1%26y%"
            "3Da%20b&lp=en_de&doit=done");
  // The pane on screen stays; the status bar says where the translation went.
  EXPECT_EQ(
      form->StatusBar1.panelText(1),
      "Opening in Browser 2, which is not shown: press \"Switch between browsers\" to see it");

  context.settings = SettingsFile::parse(
      "[translation]\nrequest_template = "
      "\"https://t.example/?sl={from}&tl={to}&p={pair}&u={url}\"\n",
      "vendaro.toml");
  start();
  form->Picture23_MouseUp();
  form->Combo2.setText("http://a.example/p?x=1&y=a b");
  run("pt_en");
  EXPECT_EQ(
      browser1->navigations.back(),
      "https://t.example/?sl=pt&tl=en&p=pt_en&u=http%3A%2F%2Fa.example%2Fp%3Fx%3D1%26y%3Da%20b");
}

using Records = std::vector<ListRecord>;

TEST(ListRecordsTest, ParsesRecordsAsWritten) {
  // Two records back to back; a record that ends the text.
  EXPECT_EQ(parseListRecords("A<a1>B<b1>"), (Records{{"A", "a1"}, {"B", "b1"}}));
  // A line break between records becomes part of the next caption.
  EXPECT_EQ(parseListRecords("One<u1>\r\nTwo<u2>\r\n"),
            (Records{{"One", "u1"}, {"\r\nTwo", "u2"}}));
  // Four characters or fewer after a ">" end the parse; five make a record.
  EXPECT_EQ(parseListRecords("A<a1>\r\nB<"), (Records{{"A", "a1"}}));
  EXPECT_EQ(parseListRecords("A<a1>\r\nBB<b>"), (Records{{"A", "a1"}, {"\r\nBB", "b"}}));
  // Trailing text without a further "<" ends the parse and keeps what came before.
  EXPECT_EQ(parseListRecords("A<a1>the end of the list"), (Records{{"A", "a1"}}));
  // A "<" without a ">" still gives its entry, with an empty address, and stops.
  EXPECT_EQ(parseListRecords("A<a1>Broken<half"), (Records{{"A", "a1"}, {"Broken", ""}}));
  // The searches start one after the record's first character: no empty caption.
  EXPECT_EQ(parseListRecords("<<a>"), (Records{{"<", "a"}}));
  // A ">" before the record's "<" ends no address.
  EXPECT_EQ(parseListRecords("<x>rest<y>"), (Records{{"<x>rest", ""}}));
  EXPECT_TRUE(parseListRecords("no records here").empty());
}

TEST(ListRecordsTest, AnAnswerCutInsideARecordShortensIt) {
  const std::string first = "First<" + std::string(kListReadSize - 20, 'f') + ">";
  const std::string text = first + "Second<http://cut.example/far/away>Third<t>";
  const Records records = parseListRecords(text.substr(0, kListReadSize));
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[0].caption, "First");
  EXPECT_EQ(records[1], (ListRecord{"Second", ""}));
}

TEST(ListRecordsTest, AcceptsOnlyWebAddressesAndVendorPaths) {
  const std::string vendor = "http://vendor.example";
  EXPECT_EQ(acceptedListAddress("http://a.example/x", vendor), "http://a.example/x");
  EXPECT_EQ(acceptedListAddress("HTTPS://a.example/", vendor), "HTTPS://a.example/");
  EXPECT_EQ(acceptedListAddress("/shop/list.htm", vendor), "http://vendor.example/shop/list.htm");
  EXPECT_EQ(acceptedListAddress("page.htm?a=b:c", vendor), "http://vendor.example/page.htm?a=b:c");
  for (const char* refused : {"javascript:alert(1)", "file:///etc/passwd", "JavaScript:x",
                              "//evil.example/", "data:text/html,x", "ftp://a.example", ""}) {
    EXPECT_EQ(acceptedListAddress(refused, vendor), "") << refused;
  }
}

// The workbench with real transfers against a loopback vendor site; fake panes.
class VendorSiteTest : public BrowseFixture {
 protected:
  VendorSiteTest() {
    makeTransfer = [this] { return std::make_unique<CurlTransfer>(loop); };
    popupChoice = 0;
    vendor.baseUrl = server.url("");
    server.page("/pubchannels.txt", "Shop<http://shop.example/>\r\nHelp</help.htm>", "text/plain");
    server.page("/pubsearch.txt", "Find<http://find.example/>", "text/plain");
    server.page("/list5.txt", home(1) + "\r\n" + home(2) + "\r\n" + home(3) + "\r\n", "text/plain");
  }
  std::string home(int n) const { return server.url("/home" + std::to_string(n) + ".htm"); }
  bool pump(const std::function<bool()>& done) { return pumpUntil(loop, done); }
  bool listsArrived() {
    return browsing->lists.Picture8.Visible() && browsing->lists.Picture11.Visible() &&
           !browsing->homePages.Inet10.StillExecuting() && loop.pendingCount() == 0;
  }

  LocalHttpServer server;
};

TEST_F(VendorSiteTest, ListsAndHomePagesAtStartRotatingOverThreeStarts) {
  start();
  ASSERT_TRUE(pump([&] { return listsArrived() && !browser1->navigations.empty(); }));
  EXPECT_EQ(browsing->lists.pubch.child(0).Caption(), "Shop");
  EXPECT_EQ(browsing->lists.ara2.List(2), server.url("/help.htm"));
  EXPECT_EQ(browser1->navigations, Entries{home(1)});

  // Choosing the first channel, answering No: it opens in the main pane.
  dialogs.messageAnswers = {MessageResult::No};
  form->commands.run("chann");
  EXPECT_EQ(browser1->navigations.back(), "http://shop.example/");

  for (int n : {2, 3}) {
    start();
    ASSERT_TRUE(pump([&] { return !browser1->navigations.empty(); }));
    EXPECT_EQ(browser1->navigations, Entries{home(n)}) << "start " << n;
  }
  // Every home page shown: the vendor home, and the cycle starts again.
  start();
  ASSERT_TRUE(pump([&] { return !browser1->navigations.empty(); }));
  EXPECT_EQ(browser1->navigations, Entries{vendor.baseUrl});
  form->Form_Unload();
  EXPECT_EQ(folder.read("list6.prv"), "\"\"\r\n");
}

}  // namespace
}  // namespace vendaro::testing
