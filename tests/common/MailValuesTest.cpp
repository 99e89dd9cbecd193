#include <gtest/gtest.h>

#include "common/MailValues.h"

namespace vendaro {
namespace {

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
