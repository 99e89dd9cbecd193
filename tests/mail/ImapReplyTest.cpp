#include "platform/curl/ImapReply.h"

#include <gtest/gtest.h>

namespace vendaro::imapreply {
namespace {

TEST(ImapReply, ReadsStatusCountsAndResponseCodes) {
  EXPECT_EQ(taggedStatus("V7 ok [READ-WRITE] Select completed", "V7"), "OK");
  EXPECT_EQ(taggedStatus("V7 NO [ALREADYEXISTS] Mailbox exists", "V8"), "");
  EXPECT_EQ(statusText("V7 NO [AUTHENTICATIONFAILED] Bad token"), "[AUTHENTICATIONFAILED] Bad token");
  EXPECT_EQ(untaggedCount("* 12 EXISTS", "EXISTS"), 12u);
  EXPECT_EQ(untaggedCount("* 12 RECENT", "EXISTS"), std::nullopt);
  EXPECT_EQ(untaggedCount("V1 12 EXISTS", "EXISTS"), std::nullopt);
  EXPECT_EQ(responseCodeNumber("* OK [UIDVALIDITY 3857529045] UIDs valid", "UIDVALIDITY"),
            3857529045u);
  EXPECT_EQ(responseCodeNumber("* OK [UIDNEXT 4] Predicted", "UIDVALIDITY"), std::nullopt);
  EXPECT_TRUE(listsCapability("* CAPABILITY IMAP4rev1 IDLE MOVE", "move"));
  EXPECT_TRUE(listsCapability("* OK [CAPABILITY IMAP4rev1 IDLE] ready", "IDLE"));
  EXPECT_FALSE(listsCapability("* CAPABILITY IMAP4rev1 IDLEX", "IDLE"));
  EXPECT_TRUE(isBye("* BYE Server shutting down"));
}

TEST(ImapReply, ReadsLiteralsFetchItemsAndDelimiters) {
  EXPECT_EQ(literalSize("* 1 FETCH (UID 5 BODY[] {123}"), 123u);
  EXPECT_EQ(literalSize("A1 APPEND x {12+}"), 12u);
  EXPECT_EQ(literalSize("* OK {no}"), std::nullopt);
  EXPECT_EQ(literalSize("* OK {99999999999999}"), std::nullopt);
  EXPECT_EQ(fetchItem("* 3 FETCH (UID 17 RFC822.SIZE 2048)", "RFC822.SIZE"), 2048u);
  EXPECT_EQ(fetchItem("* 3 FETCH (BODY[] {4} UID 9)", "UID"), 9u);  // after the literal
  EXPECT_EQ(fetchItem("* 3 FETCH (FLAGS (\\Seen))", "UID"), std::nullopt);
  EXPECT_EQ(listDelimiter("* LIST (\\Noselect) \".\" \"\""), '.');
  EXPECT_EQ(listDelimiter("* LIST (\\Noselect) \"\\\\\" \"\""), '\\');
  EXPECT_EQ(listDelimiter("* LIST (\\Noselect) NIL \"\""), std::nullopt);
}

TEST(ImapReply, WritesQuotedNamesAndShortUidSets) {
  EXPECT_EQ(quoted("Vendaro/Imp\"orted\\"), "\"Vendaro/Imp\\\"orted\\\\\"");
  EXPECT_EQ(uidSet({3, 4, 5, 9, 11, 12}), "3:5,9,11:12");
  EXPECT_EQ(uidSet({7}), "7");
}

}  // namespace
}  // namespace vendaro::imapreply
