#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "common/ColorText.h"
#include "common/CsvText.h"
#include "common/DataLists.h"
#include "common/ListFilling.h"
#include "common/ListReordering.h"
#include "common/MailValues.h"
#include "common/NumberText.h"
#include "common/TextFile.h"
#include "common/TextSearch.h"
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

TEST(TextSearchTest, PositionsCountFromOneAndMiddleClipsAtTheEnd) {
  EXPECT_EQ(positionOf("abcabc", "bc"), 2u);
  EXPECT_EQ(positionOf("abcabc", "bc", 3), 5u);
  EXPECT_EQ(positionOf("abcabc", "BC"), 0u);
  EXPECT_EQ(positionOf("abcabc", "BC", 1, LetterCase::Ignore), 2u);
  EXPECT_EQ(positionOf("abc", "x"), 0u);
  EXPECT_EQ(positionOf("abc", "c", 9), 0u);
  EXPECT_TRUE(containsIgnoringCase("Latest News", "news"));
  // Ignoring case: at the very end, from a start, a first character that is
  // no letter, a text shorter than the find.
  EXPECT_EQ(positionOfIgnoringCase("x\r\nNameB=", "\nnameb="), 3u);
  EXPECT_EQ(positionOfIgnoringCase("aXaxAX", "ax", 2), 3u);
  EXPECT_EQ(positionOfIgnoringCase("1@A", "@a"), 2u);
  EXPECT_EQ(positionOfIgnoringCase("ab", "abc"), 0u);
  EXPECT_EQ(positionOfIgnoringCase("[\\", "{|"), 0u);  // folding is for letters only
  // Middle clips at the end.
  EXPECT_EQ(middle("abcdef", 2, 3), "bcd");
  EXPECT_EQ(middle("abcdef", 5, 10), "ef");
  EXPECT_EQ(middle("abcdef", 7, 1), "");
  EXPECT_EQ(middle("abcdef", 3), "cdef");
}

TEST(NumberTextTest, NonNegativeNumbersGetOneLeadingSpace) {
  EXPECT_EQ(numberText(std::int64_t{3}), " 3");
  EXPECT_EQ(numberText(std::int64_t{-3}), "-3");
  EXPECT_EQ(numberText(0.5), " .5");
  EXPECT_EQ(numberText(12.5), " 12.5");
  EXPECT_EQ(trimmedNumberText(12.5), "12.5");
}

// A cell a spreadsheet would run stays text, leading blanks or not; numbers
// stay numbers.
TEST(CsvTextTest, FormulaCellsAreGuardedOnTheirFirstNonBlankCharacter) {
  EXPECT_EQ(csvRow({" =HYPERLINK(\"http://x\")", "\r\n@SUM(A1)", "\tx", "+1+1", "-2+3"}),
            "\"' =HYPERLINK(\"\"http://x\"\")\",\"'\r\n@SUM(A1)\",'\tx,'+1+1,'-2+3\r\n");
  EXPECT_EQ(csvRow({"-2.50", "+3", "12", "a, b", "", " "}), "-2.50,+3,12,\"a, b\",, \r\n");
  EXPECT_TRUE(isPlainNumber("-0.5"));
  EXPECT_FALSE(isPlainNumber("1."));
  EXPECT_FALSE(isPlainNumber("-"));
}

TEST(TextFileTest, WriteReplacesTheWholeFileAndFailsInAMissingFolder) {
  testing::TempFolder folder;
  const auto path = folder.file("list.prv");
  ASSERT_TRUE(writeWholeFile(path, "a much longer first content\r\n"));
  ASSERT_TRUE(writeWholeFile(path, "short\r\n"));
  EXPECT_EQ(readWholeFile(path), "short\r\n");
  const auto files = std::distance(std::filesystem::directory_iterator(folder.path()),
                                   std::filesystem::directory_iterator());
  EXPECT_EQ(files, 1);  // no temporary file left behind

  const auto missing = folder.path() / "missing" / "list.prv";
  EXPECT_FALSE(writeWholeFile(missing, "x"));
  EXPECT_FALSE(readWholeFile(missing).has_value());
}

TEST(GetFieldValueTest, ValueBetweenNameAndTerminatorOrEmpty) {
  EXPECT_EQ(GetFieldValue("NAME=Ann&CITY=Rome&", "CITY", "&"), "Rome");
  EXPECT_EQ(GetFieldValue("X=1;Y=2;", "y", ";"), "2");
  EXPECT_EQ(GetFieldValue("X=;Y=2;", "X", ";"), "");
  // The next field's name as terminator, searched in any letter case.
  EXPECT_EQ(GetFieldValue("NameB=Ann\r\nCityB=Rome\r\n", "nameb", "cityb="), "Ann\r\n");
  // A missing name, terminator or "=" gives nothing.
  EXPECT_EQ(GetFieldValue("X=1;Y=2;", "Z", ";"), "");
  EXPECT_EQ(GetFieldValue("X=1;Y=2", "Y", ";"), "");
  EXPECT_EQ(GetFieldValue("X=1;Y=", "Y", ";"), "");
  EXPECT_EQ(GetFieldValue("", "Y", ";"), "");
  EXPECT_EQ(GetFieldValue("Y 2;", "Y", ";"), "");
}

TEST(GetLineValueTest, RestOfTheFirstLabelledLineEndedByCrLf) {
  const std::string mail =
      "Subject: Online Order\r\nFrom: ann@example.org\r\nNameB=Ann\r\nfrom: other\r\n";
  EXPECT_EQ(GetLineValue(mail, "from:"), " ann@example.org");
  EXPECT_EQ(GetLineValue(mail, "Subject:"), " Online Order");
  EXPECT_EQ(GetLineValue(mail, "NameB="), "Ann");
  EXPECT_EQ(GetLineValue(mail, "To:"), "");
  EXPECT_EQ(GetLineValue("From: ann@example.org", "From:"), "");
  EXPECT_EQ(GetLineValue("From: ann@example.org\n", "From:"), "");
  EXPECT_EQ(GetLineValue("From:", "From:"), "");
}

}  // namespace
}  // namespace vendaro
