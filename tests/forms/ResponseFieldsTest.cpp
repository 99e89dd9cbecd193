#include "forms/ResponseFields.h"

#include <gtest/gtest.h>

#include "platform/mime/MailBodyDecoder.h"

namespace vendaro {
namespace {

using Values = std::vector<std::string>;

const std::string kHeader = "From: ann@x\r\nSubject: Survey\r\n\r\n";

// A value holding another field's name is not cut there: a field starts
// only at the start of a line.
TEST(ResponseFieldsTest, FieldsStartOnlyAtTheStartOfALine) {
  EXPECT_EQ(responseFieldValues(
                kHeader + "message=Love the boots; please add size 43!\r\nsize=42\r\n",
                {"message", "size"}),
            (Values{"Love the boots; please add size 43!\r\n", "42"}));
  // The stored form of the values: the line break before the next field
  // stays, the last field ends with its line.
  EXPECT_EQ(responseFieldValues(kHeader + "name=Ann\r\nemail=x\r\n", {"name", "email"}),
            (Values{"Ann\r\n", "x"}));
  // A header line is not a field, and names match in any letter case.
  EXPECT_EQ(responseFieldValues("From: x\r\nname=header\r\n\r\nNAME=Body\r\n", {"name"}),
            Values{"Body"});
}

TEST(ResponseFieldsTest, MailOrderMissingFieldsAndLinesOfATextArea) {
  EXPECT_EQ(responseFieldValues(kHeader + "size=42\r\ncomment=one\r\ntwo\r\n\r\n",
                                {"comment", "size", "colour"}),
            (Values{"one\r\ntwo", "42\r\n", ""}));
  EXPECT_EQ(responseFieldValues(kHeader, {"name"}), Values{""});
  EXPECT_EQ(responseFieldValues(kHeader + "name=\r\n", {"name"}), Values{""});
}

TEST(ResponseFieldsTest, EncodedSenderIsDecoded) {
  EXPECT_EQ(decodedHeaderText(" =?UTF-8?Q?J=C3=BCrgen?= <j@x>"), " Jürgen <j@x>");
  EXPECT_EQ(decodedHeaderText(" ann@x"), " ann@x");
}

}  // namespace
}  // namespace vendaro
