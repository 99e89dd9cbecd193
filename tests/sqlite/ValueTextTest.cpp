#include <gtest/gtest.h>

#include "platform/DbValue.h"
#include "platform/SqlText.h"

namespace vendaro {
namespace {

TEST(DbValueText, ShowsValuesAsABoundBoxDoes) {
  EXPECT_EQ(DbValue().toText(), "");
  EXPECT_EQ(DbValue(42).toText(), "42");
  EXPECT_EQ(DbValue(-7).toText(), "-7");
  EXPECT_EQ(DbValue(50.0).toText(), "50");
  EXPECT_EQ(DbValue(54.12).toText(), "54.12");
  EXPECT_EQ(DbValue(0.5).toText(), "0.5");
  EXPECT_EQ(DbValue(0.1 + 0.2).toText(), "0.3");
  EXPECT_EQ(DbValue(-0.0).toText(), "0");
  EXPECT_EQ(DbValue(" A100 ").toText(), " A100 ");
}

TEST(SqlWholeNumber, AcceptsOnlyWholeNumbers) {
  EXPECT_EQ(sqlWholeNumber("12"), "12");
  EXPECT_EQ(sqlWholeNumber(" 7 "), "7");
  EXPECT_EQ(sqlWholeNumber("-3"), "-3");
  EXPECT_EQ(sqlWholeNumber("1 or 1=1"), std::nullopt);
  EXPECT_EQ(sqlWholeNumber(""), std::nullopt);
  EXPECT_EQ(sqlWholeNumber("   "), std::nullopt);
  EXPECT_EQ(sqlWholeNumber("1.5"), std::nullopt);
  EXPECT_EQ(sqlWholeNumber("-"), std::nullopt);
  EXPECT_EQ(sqlWholeNumber("3)"), std::nullopt);
}

TEST(SqlStringLiteral, DoublesQuotesSoNoTextLeavesTheLiteral) {
  EXPECT_EQ(sqlStringLiteral("2026-12-01"), "'2026-12-01'");
  EXPECT_EQ(sqlStringLiteral("x' OR '1'='1"), "'x'' OR ''1''=''1'");
}

}  // namespace
}  // namespace vendaro
