#include "tests/app/Form1Fixture.h"

namespace vendaro::testing {
namespace {

using Entries = std::vector<std::string>;
constexpr int kEnter = 13;

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
