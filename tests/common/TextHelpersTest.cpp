#include <gtest/gtest.h>

#include <filesystem>

#include "common/CsvText.h"
#include "common/MailValues.h"
#include "common/NumberText.h"
#include "common/TextFile.h"
#include "common/TextSearch.h"
#include "tests/support/TempFolder.h"

namespace vendaro {
namespace {

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
