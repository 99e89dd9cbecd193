#include "tests/app/Form1Fixture.h"

namespace vendaro::testing {
namespace {

using Calls = std::vector<std::string>;
using Entries = std::vector<std::string>;
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

}  // namespace
}  // namespace vendaro::testing
