// get-orders with an OAuth2 token over POP3 and IMAP against dovecot, which
// asks a token introspection server of the test whether the token is good.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <sstream>
#include <thread>

#include "orders/OrderCommands.h"
#include "tests/orders/OrderTestMails.h"
#include "tests/support/Pop3TestServer.h"
#include "tests/support/RequiredTool.h"
#include "tests/support/ServerProcess.h"

namespace vendaro {
namespace {

namespace fs = std::filesystem;
using testing::OrderMailText;
using testing::Pop3TestServer;
using testing::TempFolder;

constexpr const char* kPython = "/usr/bin/python3";
constexpr const char* kUser = "shop";
constexpr const char* kGoodToken = "ya29.good-token-of-the-test";
constexpr const char* kRefusedToken = "ya29.refused-token-of-the-test";

class OAuth2LoginTest : public ::testing::Test {
 protected:
  void SetUp() override {
    VENDARO_REQUIRE_TOOL(Pop3TestServer::imapAvailable() && ::access(kPython, X_OK) == 0,
                         std::string(Pop3TestServer::kImapUnavailable) + ", or python3 is missing");
    const fs::path portFile = tokens.file("port");
    introspection_ = testing::spawn({kPython, VENDARO_OAUTH_TOKEN_SERVER, portFile.string(), kUser,
                                     kGoodToken},
                                    tokens.file("introspection.log"));
    for (int tries = 0; tries < 500 && !fs::exists(portFile); ++tries) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ASSERT_TRUE(fs::exists(portFile)) << tokens.read("introspection.log");
    server.addUser(kUser, "no password logs in");
    server.useOAuth2("http://127.0.0.1:" + tokens.read("port") + "/introspect");
    server.start();
    tokens.write("good", std::string(kGoodToken) + "\n");
    tokens.write("refused", std::string(kRefusedToken) + "\n");
    options.appFolder = app.path();
  }
  void TearDown() override { testing::killTree(introspection_); }

  std::string run(int expectedCode, const std::string& token) {
    options.tokenCommand = "cat " + tokens.file(token).string();
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(runGetOrdersCommand(options, MailSettings{}, out, err), expectedCode) << err.str();
    return out.str() + err.str();
  }

  // True when no file of the application folder holds either token.
  bool tokensNotStored() const {
    for (const auto& entry : fs::recursive_directory_iterator(app.path())) {
      if (!entry.is_regular_file()) continue;
      const std::string content = app.read(fs::relative(entry.path(), app.path()).string());
      if (content.find("-token-of-the-test") != std::string::npos) return false;
    }
    return true;
  }

  TempFolder tokens;
  TempFolder app;
  Pop3TestServer server;
  GetOrdersOptions options;
  pid_t introspection_ = -1;
};

TEST_F(OAuth2LoginTest, AGoodTokenLogsInARefusedOneSaysSoAndNeitherIsPrintedOrStored) {
  for (const auto protocol : {MailAccount::Protocol::Pop3, MailAccount::Protocol::Imap}) {
    SCOPED_TRACE(protocol == MailAccount::Protocol::Imap ? "IMAP" : "POP3");
    server.deliver(kUser, OrderMailText().text());
    options.mailbox = server.account(kUser, "", MailAccount::Security::StartTls, protocol);
    options.deleteMessages = true;  // over POP3; IMAP moves what it stored
    const std::string taken = run(0, "good");
    EXPECT_NE(taken.find("orders stored: 1\n"), std::string::npos) << taken;
    const std::string refused = run(kOrdersCommandFailed, "refused");
    EXPECT_NE(refused.find("The server refused the OAuth2 token for user shop"), std::string::npos)
        << refused;
    EXPECT_EQ((taken + refused).find("-token-of-the-test"), std::string::npos);
  }
  EXPECT_TRUE(tokensNotStored());
}

}  // namespace
}  // namespace vendaro
