// What the intake's state-machine tests rely on beyond the shared contract:
// completions only through the loop, the recorded conversation, and a lost
// connection that commits nothing.
#include "tests/support/FakeMailClient.h"

#include <gtest/gtest.h>

#include "tests/mail/MailDriver.h"
#include "tests/support/ManualEventLoop.h"

namespace vendaro::testing {
namespace {

TEST(FakeMailClient, RecordsTheConversationAndALostConnectionCommitsNothing) {
  ManualEventLoop loop;
  FakeMailClient fake(loop);
  fake.mailbox = {{"u1", "Subject: a\r\n\r\n"}, {"u2", "Subject: b\r\n\r\n"}};
  fake.loseConnectionAt = 4;
  MailDriver mail(loop, fake);
  fake.connect({"pop.example.com", 0, MailAccount::Security::None, "", "alice", "pw"});
  EXPECT_TRUE(mail.completions.empty());  // not before the loop runs
  loop.runPending();
  ASSERT_EQ(mail.completions, std::vector<MailAction>{MailAction::Connect});

  ASSERT_TRUE(mail.remove(2));
  ASSERT_TRUE(mail.uid(1));
  EXPECT_FALSE(mail.fetch(1));  // the connection is lost here
  EXPECT_FALSE(mail.count());
  ASSERT_EQ(mail.errors.size(), 2u);
  EXPECT_EQ(mail.errors[0].second, "The server closed the connection");
  EXPECT_FALSE(fake.connected());
  EXPECT_EQ(fake.mailbox.size(), 2u);  // the deletion was not committed
  EXPECT_EQ(fake.actions(),
            (std::vector<std::string>{"connect alice", "delete 2", "uid 1", "fetch 1", "count"}));
}

}  // namespace
}  // namespace vendaro::testing
