#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/ColorText.h"
#include "common/ListFilling.h"
#include "common/ListReordering.h"
#include "tests/support/ScriptedDialogs.h"

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

}  // namespace
}  // namespace vendaro
