#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "common/ColorText.h"
#include "common/DataLists.h"
#include "common/ListFilling.h"
#include "common/ListReordering.h"
#include "platform/sqlite/SqliteDatabase.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestDatabase.h"

namespace vendaro {
namespace {

using Entries = std::vector<std::string>;

void fill(ListControl& list, const Entries& entries, int selected = -1) {
  for (const auto& entry : entries) list.AddItem(entry);
  list.setListIndex(selected);
}

TEST(ColorToHtmlTest, LowByteIsRed) {
  EXPECT_EQ(ColorToHtml(0x0080FF), "#FF8000");
  // Bits above the 24 colour bits are ignored.
  EXPECT_EQ(ColorToHtml(static_cast<std::int32_t>(0x800000FFu)), "#FF0000");
  EXPECT_EQ(ColorToHtml(-1), "#FFFFFF");
}

TEST(MoveItemTest, TheSelectedEntryMovesWithItsSelectionButNotPastTheEnds) {
  ListControl list;
  fill(list, {"a", "b", "c", "d"}, 1);
  MoveItemDown(list);
  EXPECT_EQ(list.items(), (Entries{"a", "c", "b", "d"}));
  EXPECT_EQ(list.ListIndex(), 2);
  MoveItemUp(list);
  MoveItemUp(list);
  MoveItemUp(list);  // already first: stays
  EXPECT_EQ(list.items(), (Entries{"b", "a", "c", "d"}));
  EXPECT_EQ(list.ListIndex(), 0);

  list.setListIndex(3);
  MoveItemDown(list);  // already last: stays
  EXPECT_EQ(list.ListIndex(), 3);
  list.setListIndex(-1);
  MoveItemDown(list);
  MoveItemUp(list);
  EXPECT_EQ(list.items(), (Entries{"b", "a", "c", "d"}));
  EXPECT_EQ(list.ListIndex(), -1);
}

TEST(CheckDuplicateNameTest, WarnsOnceForEveryExactlyEqualEntry) {
  ListControl combo;
  fill(combo, {"A", "B", "A"});
  testing::ScriptedDialogs dialogs;
  combo.setText("A");
  CheckDuplicateName(combo, dialogs);
  ASSERT_EQ(dialogs.messages.size(), 2u);
  EXPECT_EQ(dialogs.messages[0].text, "You already have the same name , Please choose a new one ");
  EXPECT_EQ(dialogs.messages[0].buttons, MessageButtons::Ok);
  EXPECT_EQ(dialogs.messages[0].title, "");
  EXPECT_EQ(combo.Text(), "A");

  dialogs.messages.clear();
  combo.setText("a");
  CheckDuplicateName(combo, dialogs);
  EXPECT_TRUE(dialogs.messages.empty());
}

TEST(AddUniqueTest, AddsOnceAndComparesLetterCase) {
  Entries list;
  AddUnique("Shop", list);
  AddUnique("Shop", list);
  EXPECT_EQ(list, (Entries{"Shop"}));
  AddUnique("shop", list);
  EXPECT_EQ(list, (Entries{"Shop", "shop"}));
}

TEST(SplitToListTest, PiecesKeepTheSeparatorFoundInAnyCaseAndTheTailIsDropped) {
  Entries list;
  SplitToList("a,b", list, ",");
  EXPECT_EQ(list, (Entries{"a,"}));

  SplitToList("red,green,a,blue", list, ",");
  EXPECT_EQ(list, (Entries{"a,", "red,", "green,"}));

  Entries none;
  SplitToList("no separator here", none, ",");
  SplitToList("", none, ",");
  EXPECT_TRUE(none.empty());

  // The separator is found in any case, and its rest starts the next piece.
  Entries lines;
  SplitToList("one\r\n\r\ntwo\r\n\r\nthree", lines, "\r\n\r\n");
  EXPECT_EQ(lines, (Entries{"one\r", "\n\r\ntwo\r"}));

  Entries letters;
  SplitToList("1x2X3", letters, "x");
  EXPECT_EQ(letters, (Entries{"1x", "2X"}));
  // An empty separator cuts after every character instead of looping forever.
  Entries characters;
  SplitToList("aba", characters, "");
  EXPECT_EQ(characters, (Entries{"a", "b"}));

  // Long texts do not exhaust the stack.
  std::string many;
  for (int i = 0; i < 200000; ++i) many += "k,";
  Entries repeated;
  SplitToList(many, repeated, ",");
  EXPECT_EQ(repeated, (Entries{"k,"}));
}

// The Forms table of a real database file, a data control over it and a box
// bound to its name field.
class DataListsTest : public ::testing::Test {
 protected:
  DataListsTest() : database_(folder_.file("Vendaro2.db")) { forms_.bind(nameBox_, "formName"); }

  void addForm(const DbValue& name) { database_.insertRow("Forms", {{"formName", name}}); }

  testing::TempFolder folder_;
  testing::TestDatabase database_;
  DataControl forms_{database_, "Forms"};
  TextBox nameBox_;
  ListControl list_;
};

TEST_F(DataListsTest, FillReplacesTheListWithEveryRecordInOrder) {
  list_.AddItem("stale");
  FillListFromData(list_, forms_, nameBox_);  // an empty table empties the list
  EXPECT_TRUE(list_.items().empty());
  EXPECT_NO_THROW(FindRecord(forms_, "formName", "Order"));

  addForm("Order");
  addForm("Contact");
  addForm("Survey");
  list_.AddItem("stale");
  FillListFromData(list_, forms_, nameBox_);
  EXPECT_EQ(list_.items(), (Entries{"Order", "Contact", "Survey"}));

  ListControl combo;
  FillComboFromData(combo, forms_, nameBox_);
  EXPECT_EQ(combo.items(), list_.items());
}

TEST_F(DataListsTest, FindLeavesTheMatchingRecordCurrentOrEndsPastTheLast) {
  addForm("Order");
  addForm("Contact");
  addForm("contact");
  addForm(DbValue{});
  forms_.Refresh();
  FindRecord(forms_, "formName", "contact");
  ASSERT_FALSE(forms_.recordset().Eof());
  EXPECT_EQ(nameBox_.Text(), "contact");
  EXPECT_EQ(forms_.recordset().Fields("formName").Value(), DbValue("contact"));

  // A number field matches the text it shows.
  FindRecord(forms_, "formID", "2");
  EXPECT_EQ(nameBox_.Text(), "Contact");

  FindRecord(forms_, "formName", "Survey");
  EXPECT_TRUE(forms_.recordset().Eof());
  // A null field matches no text, not even an empty one.
  FindRecord(forms_, "formName", "");
  EXPECT_TRUE(forms_.recordset().Eof());
  EXPECT_THROW(FindRecord(forms_, "NoSuchField", "x"), DataError);
}

}  // namespace
}  // namespace vendaro
