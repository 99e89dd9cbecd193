#include "app/ListFile.h"

#include <gtest/gtest.h>

namespace vendaro {
namespace {

using Entries = std::vector<std::string>;

// Writing and whole-file replacement are covered by the start-up tests and the
// text file helpers; these are the reading rules.
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

TEST(ListFileSplit, GivesOneEntryPerCrLfIgnoresTheTailAndJoinsTheLineAfterAnEmptyOne) {
  EXPECT_EQ(list_file::split("a\r\nbb\r\nccc\r\n"), (Entries{"a", "bb", "ccc"}));
  EXPECT_EQ(list_file::split("a\r\ntail without end"), (Entries{"a"}));
  EXPECT_EQ(list_file::split("no line break"), Entries{});
  EXPECT_EQ(list_file::split(""), Entries{});
  EXPECT_EQ(list_file::split("a\r\n\r\nb\r\n"), (Entries{"a", "\r\nb"}));
  EXPECT_EQ(list_file::split("\r\nb\r\n"), (Entries{"\r\nb"}));
}

}  // namespace
}  // namespace vendaro
