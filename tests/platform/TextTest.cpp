#include "platform/Text.h"

#include <gtest/gtest.h>

#include "platform/SaveFileName.h"

namespace vendaro::text {

TEST(TextTest, FoldsAndComparesAsciiLettersOnly) {
  EXPECT_EQ(lowerAscii("MiXeD Ä 123"), "mixed Ä 123");
  EXPECT_EQ(upperAscii("mixed é"), "MIXED é");
  EXPECT_TRUE(equalsIgnoringCase("Content-Type", "content-TYPE"));
  EXPECT_FALSE(equalsIgnoringCase("abc", "abcd"));
  EXPECT_TRUE(startsWithIgnoringCase("HTTPS://x", "https://"));
  EXPECT_FALSE(startsWithIgnoringCase("http", "https://"));
}

TEST(TextTest, ConvertsLineEndsBothWays) {
  EXPECT_EQ(withCrLf("a\nb\r\nc\rd"), "a\r\nb\r\nc\r\nd");
  EXPECT_EQ(withLf("a\r\nb\rc\n"), "a\nb\rc\n");
  EXPECT_EQ(withCrLf(withLf("one\r\ntwo\r\n")), "one\r\ntwo\r\n");
}

TEST(TextTest, EscapesForHtmlAndScriptStrings) {
  EXPECT_EQ(htmlEscaped(R"(<a href="x">Tom & 'Jerry'</a>)"),
            "&lt;a href=&quot;x&quot;&gt;Tom &amp; &#39;Jerry&#39;&lt;/a&gt;");
  EXPECT_EQ(scriptStringText("Ordinary <b>bold</b> text"), "Ordinary <b>bold</b> text");
  EXPECT_EQ(scriptStringText(R"(12" "tall" \ wide)"), R"(12\" \"tall\" \\ wide)");
  EXPECT_EQ(scriptStringText("one\r\ntwo\nthree"), R"(one\r\ntwo\nthree)");
  EXPECT_EQ(scriptStringText("a</SCRIPT>b<!--c"), R"(a<\/SCRIPT>b<\!--c)");
}

TEST(TextTest, PercentEncodesAllButTheKeptCharacters) {
  EXPECT_EQ(percentEncoded("a b/\xC3\xA9~+"), "a%20b%2F%C3%A9~%2B");
  EXPECT_EQ(percentEncoded("a b/c+d", "/+"), "a%20b/c+d");
}

// A name typed without extension gets the chosen type's; any other stays.
TEST(TextTest, SaveNamesGetTheChosenFiltersExtensionWhenTheyHaveNone) {
  EXPECT_EQ(withFilterExtension("/tmp/report", "*.htm"), "/tmp/report.htm");
  EXPECT_EQ(withFilterExtension("/tmp/.hidden", "*.prv"), "/tmp/.hidden.prv");
  EXPECT_EQ(withFilterExtension("/tmp/v1.2/report.txt", "*.htm"), "/tmp/v1.2/report.txt");
  EXPECT_EQ(withFilterExtension("/tmp/v1.2/notes", "*.txt"), "/tmp/v1.2/notes.txt");
  for (const char* pattern : {"*", "*.*", "", "*.h?m"}) {
    EXPECT_EQ(withFilterExtension("/tmp/report", pattern), "/tmp/report") << pattern;
  }
}

}  // namespace vendaro::text
