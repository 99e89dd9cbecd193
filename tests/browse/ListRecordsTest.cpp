#include <gtest/gtest.h>

#include "browse/ListRecords.h"

namespace vendaro {
namespace {

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

}  // namespace
}  // namespace vendaro
