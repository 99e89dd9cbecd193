// One set of expectations for every mail client: the fake that the intake's
// tests use and the libcurl client against a private dovecot server.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/curl/CurlMailClient.h"
#include "platform/curl/Pop3Reply.h"
#include "tests/mail/MailDriver.h"
#include "tests/support/FakeMailClient.h"
#include "tests/support/Pop3TestServer.h"
#include "tests/support/RequiredTool.h"

namespace vendaro::testing {
namespace {

constexpr const char* kUser = "alice";
constexpr const char* kPassword = "Secr3t-Pa55";

const std::string kOrderMail =
    "From: shopper@example.com\nSubject: Online Order\n\nDESCRIPTION=\n.item ^ 1 ^\n"
    "AMOUNT=$$$ 54.12\n";
const std::string kOtherMail = "From: friend@example.com\r\nSubject: Hello\r\n\r\nHi there\r\n";

// The parameter tells whether the libcurl client reads from dovecot; else
// the fake reads its own mailbox.
class MailClientContract : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    if (GetParam()) {
      VENDARO_REQUIRE_TOOL(Pop3TestServer::available(), Pop3TestServer::kUnavailable);
      server_ = std::make_unique<Pop3TestServer>();
      server_->addUser(kUser, kPassword);
      server_->start();
      client_ = std::make_unique<CurlMailClient>(loop_);
    } else {
      auto fake = std::make_unique<FakeMailClient>(loop_);
      fake->password = kPassword;
      fake_ = fake.get();
      client_ = std::move(fake);
    }
    driver_ = std::make_unique<MailDriver>(loop_, *client_);
  }

  void deliver(const std::string& message) {
    if (server_) return server_->deliver(kUser, message);
    fake_->mailbox.push_back({"uid-" + std::to_string(++delivered_), pop3reply::withCrLf(message)});
  }
  MailAccount account(const std::string& password) const {
    if (server_) return server_->account(kUser, password);
    return {"pop.example.com", 0, MailAccount::Security::None, "", kUser, password};
  }
  int stored() const {
    return server_ ? server_->messageCount(kUser) : static_cast<int>(fake_->mailbox.size());
  }
  MailDriver& mail() { return *driver_; }
  MailClient& client() { return *client_; }

 private:
  ManualEventLoop loop_;
  std::unique_ptr<Pop3TestServer> server_;  // outlives the client
  FakeMailClient* fake_ = nullptr;
  std::unique_ptr<MailClient> client_;
  std::unique_ptr<MailDriver> driver_;
  int delivered_ = 0;
};

TEST_P(MailClientContract, CountsFetchesWithCrLfAndNamesMessages) {
  deliver(kOrderMail);
  deliver(kOtherMail);

  ASSERT_TRUE(mail().connect(account(kPassword)));
  EXPECT_EQ(client().messageCount(), 2);
  ASSERT_TRUE(mail().count());
  EXPECT_EQ(client().messageCount(), 2);

  ASSERT_TRUE(mail().fetch(1));
  EXPECT_EQ(client().messageText(), pop3reply::withCrLf(kOrderMail));  // dot-stuffing undone
  ASSERT_FALSE(mail().progress.empty());
  EXPECT_EQ(mail().progress.back().first, mail().progress.back().second);
  EXPECT_GT(mail().progress.back().first, 0);
  ASSERT_TRUE(mail().fetch(2));
  EXPECT_EQ(client().messageText(), kOtherMail);

  ASSERT_TRUE(mail().uid(1));
  const std::string first = client().messageUniqueId();
  ASSERT_TRUE(mail().uid(2));
  EXPECT_FALSE(first.empty());
  EXPECT_NE(first, client().messageUniqueId());
  ASSERT_TRUE(mail().disconnect());
  EXPECT_TRUE(mail().errors.empty());
  EXPECT_EQ(stored(), 2);
}

TEST_P(MailClientContract, DeletionKeepsNumbersAndIsCommittedAtDisconnect) {
  deliver(kOrderMail);
  deliver(kOtherMail);
  deliver(kOrderMail);
  ASSERT_TRUE(mail().connect(account(kPassword)));
  ASSERT_TRUE(mail().uid(3));
  const std::string third = client().messageUniqueId();

  ASSERT_TRUE(mail().remove(2));
  ASSERT_TRUE(mail().count());
  EXPECT_EQ(client().messageCount(), 2);
  ASSERT_TRUE(mail().uid(3));  // numbers stay as they were within the session
  EXPECT_EQ(client().messageUniqueId(), third);
  // A deleted message is gone at once; the refusal ends the session without
  // QUIT, so the deletion is not committed.
  EXPECT_FALSE(mail().fetch(2));
  EXPECT_EQ(stored(), 3);

  ASSERT_TRUE(mail().connect(account(kPassword)));
  ASSERT_TRUE(mail().remove(1));
  EXPECT_EQ(stored(), 3);  // a deletion only leaves the server at logout
  ASSERT_TRUE(mail().disconnect());
  EXPECT_EQ(stored(), 2);

  ASSERT_TRUE(mail().connect(account(kPassword)));
  EXPECT_EQ(client().messageCount(), 2);
  ASSERT_TRUE(mail().uid(2));  // a new session numbers afresh
  EXPECT_EQ(client().messageUniqueId(), third);
  ASSERT_TRUE(mail().disconnect());
}

TEST_P(MailClientContract, AnErrorEndsTheSessionUntilTheNextConnect) {
  deliver(kOrderMail);
  EXPECT_FALSE(mail().count());  // not connected yet
  ASSERT_TRUE(mail().connect(account(kPassword)));

  EXPECT_FALSE(mail().fetch(7));
  EXPECT_FALSE(mail().count());
  EXPECT_FALSE(mail().fetch(1));
  EXPECT_EQ(mail().errors.size(), 4u);

  ASSERT_TRUE(mail().connect(account(kPassword)));
  ASSERT_TRUE(mail().fetch(1));
  EXPECT_EQ(client().messageText(), pop3reply::withCrLf(kOrderMail));
  ASSERT_TRUE(mail().disconnect());
}

TEST_P(MailClientContract, AWrongPasswordFailsWithoutItsTextAndWithoutALaterLogin) {
  deliver(kOrderMail);
  EXPECT_FALSE(mail().connect(account("Wr0ng-Pa55")));
  EXPECT_FALSE(mail().count());
  EXPECT_FALSE(mail().fetch(1));
  ASSERT_EQ(mail().errors.size(), 3u);
  EXPECT_NE(mail().errors[0].second.find("Login failed"), std::string::npos)
      << mail().errors[0].second;
  for (const auto& [number, description] : mail().errors) {
    EXPECT_EQ(description.find("Wr0ng-Pa55"), std::string::npos) << description;
    EXPECT_FALSE(description.empty());
  }
  EXPECT_TRUE(mail().completions.empty());
  EXPECT_EQ(stored(), 1);
}

INSTANTIATE_TEST_SUITE_P(Clients, MailClientContract, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) {
                           return info.param ? "CurlWithDovecot" : "Fake";
                         });

}  // namespace
}  // namespace vendaro::testing
