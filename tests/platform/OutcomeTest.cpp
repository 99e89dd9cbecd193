#include "platform/Outcome.h"

#include <gtest/gtest.h>

#include <memory>

namespace vendaro {
namespace {

Outcome<std::unique_ptr<int>> parsed(bool good) {
  if (!good) return failure(ErrorKind::BadInput, "not a number");
  return std::make_unique<int>(7);
}

TEST(OutcomeTest, CarriesAMoveOnlyValueOrTheErrorThatStoppedIt) {
  Outcome<std::unique_ptr<int>> good = parsed(true);
  ASSERT_TRUE(good);
  std::unique_ptr<int> taken = std::move(good).value();
  EXPECT_EQ(*taken, 7);

  const Outcome<std::unique_ptr<int>> bad = parsed(false);
  ASSERT_FALSE(bad.ok());
  EXPECT_EQ(bad.error().kind, ErrorKind::BadInput);
  EXPECT_EQ(bad.error().message, "not a number");

  const Done done;
  EXPECT_TRUE(done.ok());
  const Done refused = failure(ErrorKind::Conflict, "already shipped");
  EXPECT_EQ(refused.error().message, "already shipped");
}

}  // namespace
}  // namespace vendaro
