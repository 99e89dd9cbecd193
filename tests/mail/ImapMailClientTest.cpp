// The IMAP mail client against dovecot's IMAP server: the inbox read like a
// POP3 mailbox, identity by UIDVALIDITY and UID, stored mail moved (not
// deleted) at log-out, waiting for mail.
#include "platform/curl/ImapMailClient.h"

#include <gtest/gtest.h>

#include <thread>

#include "platform/curl/ImapMailWaiter.h"
#include "tests/mail/MailDriver.h"
#include "tests/support/Pop3TestServer.h"
#include "tests/support/RequiredTool.h"
#include "tests/support/ServerProcess.h"

namespace vendaro::testing {
namespace {

using namespace std::chrono_literals;

constexpr const char* kUser = "alice";
constexpr const char* kPassword = "Secr3t-Pa55";
constexpr const char* kFolder = "Vendaro/Imported";
const std::string kFirst = "From: a@example.com\r\nSubject: Online Order\r\n\r\nAMOUNT=1\r\n";
const std::string kSecond = "From: b@example.com\r\nSubject: Hello\r\n\r\n.dot line\r\n";

class ImapMailClientTest : public ::testing::Test {
 protected:
  void SetUp() override {
    VENDARO_REQUIRE_TOOL(Pop3TestServer::imapAvailable(), Pop3TestServer::kImapUnavailable);
    server.addUser(kUser, kPassword);
    server.start();
  }
  MailAccount account(const std::string& password = kPassword,
                      MailAccount::Security security = MailAccount::Security::None) const {
    return server.account(kUser, password, security, MailAccount::Protocol::Imap);
  }

  Pop3TestServer server;  // outlives the client
  ManualEventLoop loop;
  ImapMailClient client{loop, kFolder};
  MailDriver mail{loop, client};
};

TEST_F(ImapMailClientTest, ReadsTheInboxAndMovesWhatWasDeletedAtLogout) {
  server.deliver(kUser, kFirst);
  server.deliver(kUser, kSecond);
  ASSERT_TRUE(mail.connect(account(kPassword, MailAccount::Security::StartTls)));
  ASSERT_EQ(client.messageCount(), 2);
  ASSERT_TRUE(mail.fetch(2));
  EXPECT_EQ(client.messageText(), kSecond);
  ASSERT_TRUE(mail.fetch(1));
  EXPECT_EQ(client.messageText(), kFirst);
  ASSERT_TRUE(mail.uid(1));
  const std::string first = client.messageUniqueId();
  EXPECT_EQ(first.rfind("INBOX;UIDVALIDITY=", 0), 0u) << first;
  EXPECT_NE(first.find(";UID=1"), std::string::npos) << first;

  ASSERT_TRUE(mail.remove(1));
  EXPECT_EQ(server.messageCount(kUser), 2);  // moved only at log-out
  ASSERT_TRUE(mail.disconnect());
  EXPECT_EQ(server.messageCount(kUser), 1);
  EXPECT_EQ(server.messageCount(kUser, kFolder), 1);

  // The same message keeps its name in a later session; abandoning moves nothing.
  ASSERT_TRUE(mail.connect(account()));
  ASSERT_EQ(client.messageCount(), 1);
  ASSERT_TRUE(mail.uid(1));
  EXPECT_NE(client.messageUniqueId(), first);
  ASSERT_TRUE(mail.remove(1));
  client.abandon();
  ASSERT_TRUE(mail.await());
  EXPECT_EQ(server.messageCount(kUser), 1);
  EXPECT_TRUE(mail.errors.empty());
}

TEST_F(ImapMailClientTest, NamesARefusedLoginAndAnUnreachableServer) {
  EXPECT_FALSE(mail.connect(account("wrong")));
  ASSERT_EQ(mail.errors.size(), 1u);
  EXPECT_EQ(mail.errors[0].first, kMailLoginRefused);
  EXPECT_EQ(mail.errors[0].second.rfind("Login failed for user alice", 0), 0u)
      << mail.errors[0].second;

  MailAccount closed = account();
  closed.port = freePort();
  EXPECT_FALSE(mail.connect(closed));
  EXPECT_NE(mail.errors.back().second.find("Connection refused by imap://127.0.0.1:"),
            std::string::npos)
      << mail.errors.back().second;
}

TEST_F(ImapMailClientTest, AWaiterWakesForMailDeliveredWhileItWaitsAndCanBeStopped) {
  ImapMailWaiter waiter(1s);
  const Done opened = waiter.open(account());
  ASSERT_TRUE(opened) << opened.error().message;
  const auto ended = [&waiter](std::chrono::milliseconds limit) {
    const Outcome<MailWaiter::End> end = waiter.wait(limit);
    EXPECT_TRUE(end) << end.error().message;
    return end ? *end : MailWaiter::End::TimeUp;
  };
  std::thread later([this] {
    std::this_thread::sleep_for(200ms);
    server.deliver(kUser, kFirst);
  });
  EXPECT_EQ(ended(20s), MailWaiter::End::NewMail);
  later.join();
  EXPECT_EQ(ended(300ms), MailWaiter::End::TimeUp);
  std::thread stopper([&waiter] {
    std::this_thread::sleep_for(200ms);
    waiter.stop();
  });
  EXPECT_EQ(ended(20s), MailWaiter::End::Stopped);
  stopper.join();
  waiter.close();
}

}  // namespace
}  // namespace vendaro::testing
