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

// A mailbox with a client to read it, as each implementation provides it.
class MailWorld {
 public:
  virtual ~MailWorld() = default;
  virtual MailClient& client() = 0;
  virtual void deliver(const std::string& message) = 0;
  virtual MailAccount account(const std::string& password) const = 0;
  virtual int stored() const = 0;
  ManualEventLoop loop;
};

class FakeWorld : public MailWorld {
 public:
  FakeWorld() { fake_.password = kPassword; }
  MailClient& client() override { return fake_; }
  void deliver(const std::string& message) override {
    fake_.mailbox.push_back({"uid-" + std::to_string(++delivered_), pop3reply::withCrLf(message)});
  }
  MailAccount account(const std::string& password) const override {
    return {"pop.example.com", 0, MailAccount::Security::None, "", kUser, password};
  }
  int stored() const override { return static_cast<int>(fake_.mailbox.size()); }

 private:
  FakeMailClient fake_{loop};
  int delivered_ = 0;
};

class DovecotWorld : public MailWorld {
 public:
  DovecotWorld() {
    server_.addUser(kUser, kPassword);
    server_.start();
  }
  MailClient& client() override { return client_; }
  void deliver(const std::string& message) override { server_.deliver(kUser, message); }
  MailAccount account(const std::string& password) const override {
    return server_.account(kUser, password);
  }
  int stored() const override { return server_.messageCount(kUser); }

 private:
  Pop3TestServer server_;  // outlives the client
  CurlMailClient client_{loop};
};

const std::string kOrderMail =
    "From: shopper@example.com\nSubject: Online Order\n\nDESCRIPTION=\n.item ^ 1 ^\n"
    "AMOUNT=$$$ 54.12\n";
const std::string kOtherMail = "From: friend@example.com\r\nSubject: Hello\r\n\r\nHi there\r\n";

// The parameter tells whether the libcurl client reads from dovecot.
class MailClientContract : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    if (GetParam()) VENDARO_REQUIRE_TOOL(Pop3TestServer::available(), Pop3TestServer::kUnavailable);
    if (GetParam()) {
      world_ = std::make_unique<DovecotWorld>();
    } else {
      world_ = std::make_unique<FakeWorld>();
    }
    driver_ = std::make_unique<MailDriver>(world_->loop, world_->client());
  }

  MailWorld& world() { return *world_; }
  MailDriver& mail() { return *driver_; }
  MailClient& client() { return world_->client(); }

 private:
  std::unique_ptr<MailWorld> world_;
  std::unique_ptr<MailDriver> driver_;
};

TEST_P(MailClientContract, CountsFetchesWithCrLfAndNamesMessages) {
  world().deliver(kOrderMail);
  world().deliver(kOtherMail);

  ASSERT_TRUE(mail().connect(world().account(kPassword)));
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
  EXPECT_EQ(world().stored(), 2);
}

TEST_P(MailClientContract, DeletionKeepsNumbersAndIsCommittedAtDisconnect) {
  world().deliver(kOrderMail);
  world().deliver(kOtherMail);
  world().deliver(kOrderMail);
  ASSERT_TRUE(mail().connect(world().account(kPassword)));
  ASSERT_TRUE(mail().uid(3));
  const std::string third = client().messageUniqueId();

  ASSERT_TRUE(mail().remove(2));
  ASSERT_TRUE(mail().count());
  EXPECT_EQ(client().messageCount(), 2);
  ASSERT_TRUE(mail().uid(3));  // numbers stay as they were within the session
  EXPECT_EQ(client().messageUniqueId(), third);
  // A deleted message is gone at once; the refusal ends the session, and
  // libcurl's QUIT on the way out commits the deletion.
  EXPECT_FALSE(mail().fetch(2));
  EXPECT_EQ(world().stored(), 2);

  ASSERT_TRUE(mail().connect(world().account(kPassword)));
  ASSERT_TRUE(mail().remove(1));
  EXPECT_EQ(world().stored(), 2);  // a deletion only leaves the server at logout
  ASSERT_TRUE(mail().disconnect());
  EXPECT_EQ(world().stored(), 1);

  ASSERT_TRUE(mail().connect(world().account(kPassword)));
  EXPECT_EQ(client().messageCount(), 1);
  ASSERT_TRUE(mail().uid(1));  // a new session numbers afresh
  EXPECT_EQ(client().messageUniqueId(), third);
  ASSERT_TRUE(mail().disconnect());
}

TEST_P(MailClientContract, AnErrorEndsTheSessionUntilTheNextConnect) {
  world().deliver(kOrderMail);
  EXPECT_FALSE(mail().count());  // not connected yet
  ASSERT_TRUE(mail().connect(world().account(kPassword)));

  EXPECT_FALSE(mail().fetch(7));
  EXPECT_FALSE(mail().count());
  EXPECT_FALSE(mail().fetch(1));
  EXPECT_EQ(mail().errors.size(), 4u);

  ASSERT_TRUE(mail().connect(world().account(kPassword)));
  ASSERT_TRUE(mail().fetch(1));
  EXPECT_EQ(client().messageText(), pop3reply::withCrLf(kOrderMail));
  ASSERT_TRUE(mail().disconnect());
}

TEST_P(MailClientContract, AWrongPasswordFailsWithoutItsTextAndWithoutALaterLogin) {
  world().deliver(kOrderMail);
  EXPECT_FALSE(mail().connect(world().account("Wr0ng-Pa55")));
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
  EXPECT_EQ(world().stored(), 1);
}

INSTANTIATE_TEST_SUITE_P(Clients, MailClientContract, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) {
                           return info.param ? "CurlWithDovecot" : "Fake";
                         });

}  // namespace
}  // namespace vendaro::testing
