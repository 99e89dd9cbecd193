#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <tuple>

#include "intake/MailboxCommandLine.h"
#include "tests/support/TempFolder.h"

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
  const auto parts = [&settings](const std::vector<std::string>& arguments) {
    const MailAccount account = parsed(arguments, settings);
    return std::tuple(account.host, account.port, account.security, account.caFile, account.user);
  };
  EXPECT_EQ(parts({}), std::tuple("pop.example", 2995, Security::Tls, "/etc/shop-ca.pem", "shop"));
  EXPECT_EQ(parts({"--starttls", "--port", "110"}),
            std::tuple("pop.example", 110, Security::StartTls, "/etc/shop-ca.pem", "shop"));
  EXPECT_EQ(parts({"--host", "127.0.0.1"}), std::tuple("127.0.0.1", 0, Security::None, "", "shop"));
  EXPECT_EQ(parsed({"--host", "127.0.0.1", "--tls"}, settings).security, Security::Tls);
}

// Only the first line is read, and no more than a password needs: a device
// without end is refused instead of filling the memory.
TEST(MailboxCommandLineTest, APasswordFileIsReadToItsFirstLineAndNoFurther) {
  std::ostringstream err;
  EXPECT_FALSE(readMailboxPassword("/dev/zero", "p: ", err));
  EXPECT_EQ(err.str(), "p: the password in /dev/zero is longer than 4096 bytes\n");
  testing::TempFolder folder;
  folder.write("password", "right\r\n" + std::string(10000, 'x'));
  EXPECT_EQ(readMailboxPassword(folder.file("password"), "p: ", err), "right");
  folder.write("password", std::string(4096, 'y'));
  EXPECT_EQ(readMailboxPassword(folder.file("password"), "p: ", err), std::string(4096, 'y'));
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
  ASSERT_TRUE(readMailboxSecret(account, {}, "printf 'tok-%s\\r\\nrest' \"$VENDARO_MAIL_USER\"",
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
