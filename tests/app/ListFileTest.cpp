#include "app/ListFile.h"

#include <gtest/gtest.h>

#include "tests/support/TempFolder.h"

namespace vendaro {
namespace {

using Entries = std::vector<std::string>;

TEST(ListFileFormat, QuotesTheEntriesEachEndedByCrLf) {
  EXPECT_EQ(list_file::format({"one", "two"}), "\"one\r\ntwo\r\n\"\r\n");
  EXPECT_EQ(list_file::format({}), "\"\"\r\n");
}

TEST(ListFileFirstField, TakesTheQuotedTextUpToTheNextQuote) {
  EXPECT_EQ(list_file::firstField("\"a\r\nb\r\n\"\r\n"), "a\r\nb\r\n");
  // An entry holding a quote cuts the list there.
  EXPECT_EQ(list_file::firstField("\"say \"hi\"\r\nnext\r\n\"\r\n"), "say ");
  // No closing quote: the rest of the file.
  EXPECT_EQ(list_file::firstField("\"a\r\nb"), "a\r\nb");
  // Unquoted: up to a comma or line end.
  EXPECT_EQ(list_file::firstField("  plain, more\r\nx"), "plain");
  EXPECT_EQ(list_file::firstField(""), "");
}

TEST(ListFileSplit, GivesOneEntryPerCrLfAndIgnoresTheTail) {
  EXPECT_EQ(list_file::split("a\r\nbb\r\nccc\r\n"), (Entries{"a", "bb", "ccc"}));
  EXPECT_EQ(list_file::split("a\r\ntail without end"), (Entries{"a"}));
  EXPECT_EQ(list_file::split("no line break"), Entries{});
  EXPECT_EQ(list_file::split(""), Entries{});
}

TEST(ListFileSplit, AnEmptyLineJoinsTheLineAfterIt) {
  EXPECT_EQ(list_file::split("a\r\n\r\nb\r\n"), (Entries{"a", "\r\nb"}));
  EXPECT_EQ(list_file::split("\r\nb\r\n"), (Entries{"\r\nb"}));
}

TEST(ListFileWriteRead, RoundTripsEveryEntryInOrder) {
  testing::TempFolder folder;
  ListControl list;
  for (const char* entry : {"http://one.example/", "two", "two", "Drei"}) list.AddItem(entry);
  ASSERT_TRUE(list_file::write(folder.file("x.prv"), list));
  EXPECT_EQ(list_file::split(list_file::read(folder.file("x.prv"))), list.items());
  EXPECT_EQ(list_file::read(folder.file("missing.prv")), "");
}

TEST(ListFileWriteRead, ReplacesTheEarlierContentWhole) {
  testing::TempFolder folder;
  folder.write("x.prv", std::string(5000, 'z'));
  ListControl list;
  list.AddItem("short");
  ASSERT_TRUE(list_file::write(folder.file("x.prv"), list));
  EXPECT_EQ(folder.read("x.prv"), "\"short\r\n\"\r\n");
}

}  // namespace
}  // namespace vendaro
