#include "app/ListFile.h"

#include <gtest/gtest.h>

#include "app/DistinctEntries.h"

namespace vendaro {
namespace {

using Entries = std::vector<std::string>;

// Writing and whole-file replacement are covered by the start-up tests and the
// text file helpers; these are the reading rules. (`split`, which only the
// fuzzer calls, is left to the fuzzer.)
TEST(ListFileParse, ReadsTheWrittenFormatAndItsNearMissesWithoutLosingAnEntry) {
  const Entries two{"a", "b c"};
  for (const char* content :
       {"\"a\r\nb c\r\n\"\r\n", "a\r\nb c\r\n", "a\nb c\n", "\"a\nb c\n\"\n", "\"a\r\nb c",
        "\"a\r\nb c\"", "a\rb c\r", "\"a\r\n\r\n\nb c\r\n\"\r\n"}) {
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

}  // namespace
}  // namespace vendaro
