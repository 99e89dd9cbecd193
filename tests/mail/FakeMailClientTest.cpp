// What the intake's state-machine tests rely on beyond the shared contract.
#include "tests/support/FakeMailClient.h"

#include <gtest/gtest.h>

#include "platform/ManualEventLoop.h"
#include "tests/mail/MailDriver.h"

namespace vendaro::testing {
namespace {

TEST(FakeMailClient, RecordsTheConversationAndCompletesOnlyThroughTheLoop) {
  ManualEventLoop loop;
  FakeMailClient fake(loop);
  fake.mailbox = {{"u1", "Subject: a\r\n\r\n"}, {"u2", "Subject: b\r\n\r\n"}};
  MailDriver mail(loop, fake);
  fake.connect({"pop.example.com", 0, MailAccount::Security::None, "", "alice", "pw"});
  EXPECT_TRUE(mail.completions.empty());  // not before the loop runs
  loop.runPending();
  ASSERT_EQ(mail.completions, std::vector<MailAction>{MailAction::Connect});

  ASSERT_TRUE(mail.fetch(2));
  ASSERT_TRUE(mail.remove(2));
  ASSERT_TRUE(mail.uid(1));
  ASSERT_TRUE(mail.disconnect());
  EXPECT_EQ(fake.actions(), (std::vector<std::string>{"connect alice", "fetch 2", "delete 2",
                                                      "uid 1", "disconnect"}));
  ASSERT_EQ(fake.mailbox.size(), 1u);
  EXPECT_EQ(fake.mailbox[0].uid, "u1");
}

TEST(FakeMailClient, ALostConnectionFailsThatActionAndCommitsNothing) {
  ManualEventLoop loop;
  FakeMailClient fake(loop);
  fake.mailbox = {{"u1", "Subject: a\r\n\r\n"}, {"u2", "Subject: b\r\n\r\n"}};
  fake.loseConnectionAt = 3;
  MailDriver mail(loop, fake);
  ASSERT_TRUE(mail.connect({"h", 0, MailAccount::Security::None, "", "alice", "pw"}));
  ASSERT_TRUE(mail.remove(1));
  EXPECT_FALSE(mail.fetch(2));
  EXPECT_FALSE(mail.count());
  ASSERT_EQ(mail.errors.size(), 2u);
  EXPECT_EQ(mail.errors[0].second, "The server closed the connection");
  EXPECT_EQ(fake.mailbox.size(), 2u);
  EXPECT_FALSE(fake.connected());
}

}  // namespace
}  // namespace vendaro::testing
