// The libcurl client's exact POP3 conversation, against a scripted server.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "platform/curl/CurlMailClient.h"
#include "tests/mail/MailDriver.h"
#include "tests/support/LocalHttpServer.h"
#include "tests/support/ScriptedPop3Server.h"

namespace vendaro::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::Not;

const std::string kMail = "Subject: Online Order\r\n\r\nAMOUNT=$$$ 54.12\r\n";

// A body one line longer than the client accepts.
std::string oversizedRetr() {
  const std::string line = std::string(1022, 'x') + "\r\n";
  std::string reply = "+OK message follows\r\n";
  reply.reserve(Pop3Session::kMaxMessageBytes + 2 * line.size());
  while (reply.size() <= Pop3Session::kMaxMessageBytes + line.size()) reply += line;
  return reply + ".\r\n";
}

MailAccount accountOn(int port, const std::string& password) {
  MailAccount account;
  account.host = "127.0.0.1";
  account.port = port;
  account.user = "bob";
  account.password = password;
  return account;
}

TEST(Pop3ConversationTest, SendsExactlyTheseCommandsAndNeverLogsInTwice) {
  ScriptedPop3Server server({{"CAPA", "+OK\r\nUSER\r\nUIDL\r\n.\r\n"},
                             {"USER", "+OK\r\n"},
                             {"PASS", "+OK logged in\r\n"},
                             {"STAT", "+OK 3 512\r\n"},
                             {"LIST", "+OK\r\n1 43\r\n2 20\r\n3 90\r\n.\r\n"},
                             {"UIDL", "+OK\r\n1 uid-one\r\n.\r\n"},
                             {"RETR 1", "+OK 43 octets\r\n" + kMail + ".\r\n"},
                             {"RETR 2", "+OK\r\nSubject: two\r\n\r\nhi\r\n.\r\n"},
                             {"RETR 3", oversizedRetr()},
                             {"DELE 1", "+OK\r\n"},
                             {"DELE 2", "-ERR message is locked\r\n"},
                             {"NOOP", "+OK\r\n"},
                             {"QUIT", "+OK bye\r\n"}});
  ManualEventLoop loop;
  CurlMailClient client(loop);
  MailDriver mail(loop, client);

  ASSERT_TRUE(mail.connect(accountOn(server.port(), "secret")));
  EXPECT_EQ(client.messageCount(), 3);
  ASSERT_TRUE(mail.uid(1));
  EXPECT_EQ(client.messageUniqueId(), "uid-one");
  ASSERT_TRUE(mail.fetch(1));
  EXPECT_EQ(client.messageText(), kMail);
  ASSERT_TRUE(mail.remove(1));
  ASSERT_TRUE(mail.disconnect());
  EXPECT_THAT(server.commands(), ElementsAre("CAPA", "USER bob", "PASS secret", "STAT", "LIST",
                                             "UIDL", "RETR 1", "RETR 2", "DELE 1", "NOOP",
                                             "QUIT"));  // message 2 read ahead

  // A refused command ends the session without QUIT, so the server commits
  // none of its deletions; nothing reaches the server after it.
  ASSERT_TRUE(mail.connect(accountOn(server.port(), "secret")));
  EXPECT_FALSE(mail.remove(2));
  EXPECT_THAT(mail.errors.back().second, HasSubstr("message is locked"));
  EXPECT_FALSE(mail.count());
  EXPECT_FALSE(mail.fetch(1));
  EXPECT_EQ(server.commands().back(), "DELE 2");

  // A message above the size cap is refused, and ends the session too.
  ASSERT_TRUE(mail.connect(accountOn(server.port(), "secret")));
  EXPECT_FALSE(mail.fetch(3));
  EXPECT_EQ(mail.errors.back().first, Pop3Session::kMessageTooLarge);
  EXPECT_FALSE(mail.count());
  EXPECT_EQ(server.commands().back(), "RETR 3");
  EXPECT_EQ(server.connections(), 3);
}

TEST(Pop3ConversationTest, ErrorTextsHideTheLongPasswordAndLeaveTheShortOneAlone) {
  ManualEventLoop loop;
  RefusingPort refusing;
  const std::string port = std::to_string(refusing.port());  // at least four digits
  for (const std::string& password : {port, std::string("1"), std::string("0.1")}) {
    CurlMailClient client(loop);
    MailDriver mail(loop, client);
    EXPECT_FALSE(mail.connect(accountOn(refusing.port(), password)));
    const std::string& text = mail.errors.at(0).second;
    if (password == port) {
      EXPECT_THAT(text, HasSubstr("pop3://127.0.0.1:***"));
      EXPECT_THAT(text, Not(HasSubstr(port)));
    } else {
      EXPECT_THAT(text, HasSubstr("Connection refused by pop3://127.0.0.1:" + port)) << password;
    }
  }
}

}  // namespace
}  // namespace vendaro::testing
