#include "platform/curl/Pop3Reply.h"

#include <gtest/gtest.h>

namespace vendaro {
namespace {

TEST(Pop3Reply, ReadsOneLineAnswersAndRefusesOthers) {
  EXPECT_EQ(pop3reply::statCount("+OK 0 0"), 0);
  EXPECT_EQ(pop3reply::statCount("+OK Logged in."), std::nullopt);
  EXPECT_EQ(pop3reply::statCount("+OK 12"), std::nullopt);
  EXPECT_EQ(pop3reply::statCount("-ERR 3 1200"), std::nullopt);
  EXPECT_EQ(pop3reply::uidlId("+OK 2 000000016b1530fd"), "000000016b1530fd");
  EXPECT_EQ(pop3reply::uidlId("+OK"), std::nullopt);
  EXPECT_EQ(pop3reply::retrSize("+OK 1200 octets"), 1200);
  EXPECT_EQ(pop3reply::retrSize("+OK message follows"), std::nullopt);
  EXPECT_EQ(pop3reply::retrSize("+OK"), std::nullopt);
}

TEST(Pop3Reply, GivesEveryLineACarriageReturnOnce) {
  EXPECT_EQ(pop3reply::withCrLf("a\nb\r\nc\n\n"), "a\r\nb\r\nc\r\n\r\n");
  EXPECT_EQ(pop3reply::withCrLf("\nx"), "\r\nx");
  EXPECT_EQ(pop3reply::withCrLf("no end"), "no end");
}

}  // namespace
}  // namespace vendaro
