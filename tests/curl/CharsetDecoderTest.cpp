#include "platform/curl/CharsetDecoder.h"

#include <gtest/gtest.h>

#include <string>

namespace vendaro {
namespace {

TEST(CharsetDecoderTest, TakesTheHeaderBeforeTheMetaTagAndTheMetaTagBeforeGuessing) {
  const std::string latin = "<meta charset=utf-8><p>caf\xE9 \x80";
  EXPECT_EQ(CharsetDecoder::decode(latin, "text/html; Charset=\"Windows-1252\""),
            "<meta charset=utf-8><p>caf\xC3\xA9 \xE2\x82\xAC");

  const std::string meta =
      "<HTML><HEAD><META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=iso-8859-1\">"
      "</HEAD><BODY>\xE9t\xE9";
  EXPECT_EQ(CharsetDecoder::decode(meta, "text/html"),
            meta.substr(0, meta.size() - 3) + "\xC3\xA9t\xC3\xA9");

  EXPECT_EQ(CharsetDecoder::decode("<p>\xC3\xA9t\xC3\xA9", ""), "<p>\xC3\xA9t\xC3\xA9");
  EXPECT_EQ(CharsetDecoder::decode("<p>\xE9t\xE9", ""), "<p>\xC3\xA9t\xC3\xA9");
}

TEST(CharsetDecoderTest, ReplacesBadBytesAndIgnoresUnknownOrLateDeclarations) {
  EXPECT_EQ(CharsetDecoder::decode("a\xFF"
                                   "b",
                                   "text/html; charset=utf-8"),
            "a\xEF\xBF\xBD"
            "b");
  // A sequence cut off at the end is replaced too, never read past.
  EXPECT_EQ(CharsetDecoder::decode("ab\xE2\x82", "text/plain; charset=utf-8"),
            "ab\xEF\xBF\xBD\xEF\xBF\xBD");
  EXPECT_EQ(CharsetDecoder::decode("x\xE9", "text/html; charset=no-such-set"), "x\xC3\xA9");

  const std::string late = std::string(1100, ' ') + "<meta charset=koi8-r>\xC1";
  EXPECT_EQ(CharsetDecoder::charsetOfMeta(late), "");
  EXPECT_EQ(CharsetDecoder::decode(late, ""), late.substr(0, late.size() - 1) + "\xC3\x81");
}

TEST(CharsetDecoderTest, HonoursByteOrderMarks) {
  EXPECT_EQ(CharsetDecoder::decode("\xEF\xBB\xBFhi", "text/html; charset=windows-1252"), "hi");
  EXPECT_EQ(CharsetDecoder::decode(std::string("\xFF\xFEh\0i\0", 6), ""), "hi");
}

}  // namespace
}  // namespace vendaro
