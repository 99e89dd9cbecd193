#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "common/MailboxCommandLine.h"

namespace vendaro {
namespace {

using Security = MailAccount::Security;

MailAccount parsed(std::vector<std::string> arguments, const MailSettings& settings) {
  CLI::App command;
  MailboxCommandLine mailbox;
  mailbox.addTo(command);
  arguments.insert(arguments.begin(), {"--user", "shop"});
  std::reverse(arguments.begin(), arguments.end());
  command.parse(arguments);
  return mailbox.account(settings);
}

// Without --host the mailbox of [mail], each part overridable; with --host
// the command line alone, plain POP3 by default.
TEST(MailboxCommandLineTest, WithoutHostTheSettingsWithHostTheCommandLine) {
  MailSettings settings;
  settings.popHost = "pop.example";
  settings.port = 2995;
  settings.caFile = "/etc/shop-ca.pem";
  MailAccount account = parsed({}, settings);
  EXPECT_EQ(account.host, "pop.example");
  EXPECT_EQ(account.port, 2995);
  EXPECT_EQ(account.security, Security::Tls);
  EXPECT_EQ(account.caFile, "/etc/shop-ca.pem");
  EXPECT_EQ(account.user, "shop");

  account = parsed({"--starttls", "--port", "110"}, settings);
  EXPECT_EQ(account.host, "pop.example");
  EXPECT_EQ(account.port, 110);
  EXPECT_EQ(account.security, Security::StartTls);

  account = parsed({"--host", "127.0.0.1"}, settings);
  EXPECT_EQ(account.host, "127.0.0.1");
  EXPECT_EQ(account.port, 0);
  EXPECT_EQ(account.security, Security::None);
  EXPECT_EQ(account.caFile, "");
  EXPECT_EQ(parsed({"--host", "127.0.0.1", "--tls"}, settings).security, Security::Tls);
}

TEST(MailboxCommandLineTest, ProtocolFromTheFlagOrTheSettingsOfTheMailboxOfMail) {
  MailSettings settings;
  EXPECT_EQ(parsed({}, settings).protocol, MailAccount::Protocol::Pop3);
  EXPECT_EQ(parsed({"--imap"}, settings).protocol, MailAccount::Protocol::Imap);
  settings.protocol = MailAccount::Protocol::Imap;
  EXPECT_EQ(parsed({}, settings).protocol, MailAccount::Protocol::Imap);
  EXPECT_EQ(parsed({"--host", "127.0.0.1"}, settings).protocol, MailAccount::Protocol::Pop3);
}

// The token is the command's first line; a failing or silent command is
// reported without the token, and the user is in the environment.
TEST(MailboxCommandLineTest, TheTokenCommandGivesAnOAuth2LoginOrSaysWhyNot) {
  MailAccount account;
  account.user = "shop@example.com";
  std::ostringstream err;
  ASSERT_TRUE(readMailboxSecret(account, {}, "printf 'tok-$VENDARO_MAIL_USER\\r\\nrest'",
                                "get-orders: ", err));
  EXPECT_EQ(account.password, "tok-shop@example.com");
  EXPECT_EQ(account.login, MailAccount::Login::OAuth2);
  EXPECT_FALSE(readMailboxSecret(account, {}, "echo secret-token; exit 3", "get-orders: ", err));
  EXPECT_FALSE(readMailboxSecret(account, {}, "true", "get-orders: ", err));
  EXPECT_EQ(err.str(),
            "get-orders: the token command failed (exit code 3)\n"
            "get-orders: the token command printed no token\n");
}

}  // namespace
}  // namespace vendaro
