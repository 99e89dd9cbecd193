// What only the libcurl client has: TLS, and a server that fails it.
#include "platform/curl/CurlMailClient.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

#include "platform/curl/Pop3Reply.h"
#include "tests/mail/MailDriver.h"
#include "tests/support/LocalHttpServer.h"
#include "tests/support/Pop3TestServer.h"
#include "tests/support/RequiredTool.h"

namespace vendaro::testing {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;
using Security = MailAccount::Security;
constexpr const char* kUser = "bob";
constexpr const char* kPassword = "p@ss w0rd%";
const std::string kMail = "From: shopper@example.com\nSubject: Online Order\n\nAMOUNT=$$$ 54.12\n";

class CurlMailClientTest : public ::testing::Test {
 protected:
  void SetUp() override {
    VENDARO_REQUIRE_TOOL(Pop3TestServer::available(), Pop3TestServer::kUnavailable);
    server.addUser(kUser, kPassword);
    server.start();
    server.deliver(kUser, kMail);
  }

  ManualEventLoop loop;
  Pop3TestServer server;
};

TEST_F(CurlMailClientTest, ReadsOverTlsAndStartTlsOnlyWithTheGivenAuthority) {
  for (Security security : {Security::Tls, Security::StartTls}) {
    CurlMailClient client(loop);
    MailDriver mail(loop, client);
    MailAccount account = server.account(kUser, kPassword, security);
    ASSERT_TRUE(mail.connect(account)) << mail.errors.at(0).second;
    ASSERT_TRUE(mail.fetch(1));
    EXPECT_EQ(client.messageText(), pop3reply::withCrLf(kMail));
    ASSERT_TRUE(mail.disconnect());

    account.caFile.clear();  // the throw-away certificate is unknown now
    EXPECT_FALSE(mail.connect(account));
    EXPECT_FALSE(mail.count());
    ASSERT_EQ(mail.errors.size(), 2u);
    EXPECT_THAT(mail.errors[0].second, HasSubstr("TLS failure"));
    EXPECT_THAT(mail.errors[0].second, Not(HasSubstr(kPassword)));
  }
}

TEST_F(CurlMailClientTest, GivesUpOnASilentServer) {
  CurlMailClient client(loop, MailTimeouts{5, 1});
  MailDriver mail(loop, client);
  const auto lastError = [&] { return mail.errors.empty() ? "" : mail.errors.back().second; };
  // Accepted and never greeted: an HTTP server waits for the client to speak first.
  {
    LocalHttpServer silent;
    MailAccount account = server.account(kUser, kPassword);
    account.port = silent.port();
    EXPECT_FALSE(mail.connect(account));
  }
  EXPECT_THAT(lastError(), HasSubstr("did not answer"));

  // A server that stops answering in the middle of a session.
  ASSERT_TRUE(mail.connect(server.account(kUser, kPassword)));
  server.freeze();
  EXPECT_FALSE(mail.fetch(1));
  server.thaw();
  EXPECT_THAT(lastError(), HasSubstr("did not answer"));
  EXPECT_EQ(mail.errors.size(), 2u);
  EXPECT_FALSE(mail.count());
}

TEST_F(CurlMailClientTest, ReportsProgressOfALargeMessageAgainstItsSize) {
  std::string large = "From: a@example.com\nSubject: big\n\n";
  while (large.size() < 600'000) large += std::string(70, 'x') + "\n";
  server.deliver(kUser, large);
  CurlMailClient client(loop);
  MailDriver mail(loop, client);
  ASSERT_TRUE(mail.connect(server.account(kUser, kPassword)));
  ASSERT_TRUE(mail.fetch(2));
  EXPECT_EQ(client.messageText(), pop3reply::withCrLf(large));
  ASSERT_GE(mail.progress.size(), 2u);
  const long size = static_cast<long>(client.messageText().size());
  for (std::size_t i = 1; i < mail.progress.size(); ++i) {
    EXPECT_GE(mail.progress[i].first, mail.progress[i - 1].first);
    EXPECT_GE(mail.progress[i].second, mail.progress[i].first);
  }
  EXPECT_GE(mail.progress.front().second, size - 100);  // the size the server announced
  EXPECT_EQ(mail.progress.back(), std::make_pair(size, size));
}

TEST_F(CurlMailClientTest, DestroyingTheClientWhileTheServerIsFrozenEndsSoonAndSilently) {
  const auto started = std::chrono::steady_clock::now();
  int reports = 0;
  {
    CurlMailClient client(loop);  // would wait 60 s for a silent server
    MailDriver mail(loop, client);
    ASSERT_TRUE(mail.connect(server.account(kUser, kPassword)));
    server.freeze();
    client.onComplete = [&](MailAction) { ++reports; };
    client.onError = [&](int, const std::string&) { ++reports; };
    client.fetchMessage(1);
    std::this_thread::sleep_for(std::chrono::milliseconds(200));  // the fetch now waits
  }
  const auto waited = std::chrono::steady_clock::now() - started;
  server.thaw();
  loop.runPending();
  EXPECT_EQ(reports, 0);
  EXPECT_LT(waited, std::chrono::seconds(20));
}

}  // namespace
}  // namespace vendaro::testing
