// The order intake over libcurl against a private dovecot server on loopback.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <regex>

#include "orders/OrderIntake.h"
#include "platform/BlockingEventLoop.h"
#include "platform/curl/CurlMailClient.h"
#include "tests/orders/OrderIntakeFixture.h"
#include "tests/orders/OrderTestMails.h"
#include "tests/support/Pop3TestServer.h"
#include "tests/support/RequiredTool.h"

namespace vendaro {
namespace {

using testing::OrderMailText;
using testing::Pop3TestServer;
using testing::ScriptedDialogs;
using testing::storedLines;
using testing::storedOrders;
using testing::TempFolder;

constexpr const char* kUser = "shop";
constexpr const char* kPassword = "pop secret";

// The order as mail programs send it quoted-printable: every "=" encoded.
std::string quotedPrintableOrder() {
  const std::string body = std::regex_replace(OrderMailText().body(), std::regex("="), "=3D");
  return "From: cy@buyer.example\r\nSubject: Online Order\r\nMIME-Version: 1.0\r\n"
         "Content-Type: text/plain; charset=utf-8\r\n"
         "Content-Transfer-Encoding: quoted-printable\r\n\r\n" +
         body;
}

// A reply that quotes the order mail's body, each line after "> ".
std::string quotedReply() {
  const std::string quoted =
      std::regex_replace(OrderMailText().body(), std::regex("(^|\r\n)(?=.)"), "$1> ");
  return "From: dee@buyer.example\r\nSubject: Re: Online Order\r\n\r\nThanks!\r\n" + quoted;
}

// Clicks "Get Orders" on the tab and runs its loop until the intake ends.
IntakeResult clickGetOrders(OrderIntake& intake, BlockingEventLoop& loop) {
  IntakeResult result;
  intake.session.events.finished = [&](const IntakeResult& finished) {
    result = finished;
    loop.stop();
  };
  loop.post([&] { intake.cmdGetMail_Click(); });
  loop.run();
  return result;
}

class OrderIntakeServerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    VENDARO_REQUIRE_TOOL(Pop3TestServer::available(), Pop3TestServer::kUnavailable);
    server.addUser(kUser, kPassword);
    server.start();
  }

  // One intake on a fresh loop and client, as "Get Orders" runs it.
  IntakeResult getOrders(MailAccount::Security security, bool hostDelete) {
    BlockingEventLoop loop;
    OrderIntake intake(OrderIntakePlatform{loop, dialogs, settings, database, {}},
                       std::make_unique<CurlMailClient>(loop));
    const MailAccount account = server.account(kUser, kPassword, security);
    intake.PopHost.setText(account.host);
    intake.PopUserName.setText(kUser);
    intake.PopPassword.setText(kPassword);
    intake.popPort = account.port;
    intake.popSecurity = security;
    intake.popCaFile = account.caFile;
    intake.chkHostDelete.setValue(hostDelete ? 1 : 0);
    const IntakeResult result = clickGetOrders(intake, loop);
    log += intake.Text18.Text();
    return result;
  }

  Pop3TestServer server;
  TempFolder folder;
  SqliteDatabase database{folder.file("Vendaro2.mdb")};
  ScriptedDialogs dialogs;
  MailSettings settings;
  std::string log;
};

// "Host &Delete" deletes only what was stored: a customer's question and an
// order without items stay on the server, now and in later intakes.
TEST_F(OrderIntakeServerTest, PlainThenTlsWithDeleteStoresEachOrderOnceAndKeepsTheRest) {
  OrderMailText plain;
  OrderMailText notAnOrder;
  notAnOrder.subject = "=?utf-8?q?Where_is_my_parcel=3F?=";
  OrderMailText encoded;
  encoded.subject = "=?utf-8?q?Online_Order_f=C3=BCr_Ann?=";
  OrderMailText empty;
  empty.description = " Total Price : $$$ 0.00\r\n";
  server.deliver(kUser, plain.text());
  server.deliver(kUser, quotedPrintableOrder());
  server.deliver(kUser, quotedReply());
  server.deliver(kUser, notAnOrder.text());
  server.deliver(kUser, encoded.text());
  server.deliver(kUser, empty.text());

  IntakeResult first = getOrders(MailAccount::Security::None, false);
  ASSERT_TRUE(first.completed) << first.error << server.log();
  EXPECT_EQ(first.stored, 5);
  EXPECT_EQ(server.messageCount(kUser), 6);
  const auto lines = storedLines(database);
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0][1], DbValue("A100 "));
  EXPECT_EQ(lines[1][1], DbValue("A100 "));  // decoded from quoted-printable
  // The quote mark stands before "DESCRIPTION=", so the quoted line reads the same.
  EXPECT_EQ(lines[2][1], DbValue("A100 "));
  EXPECT_NE(log.find(" Online Order f\xC3\xBCr Ann\r\n"), std::string::npos) << log;
  EXPECT_EQ(testing::rowsOf(database, "select Flags from Orders order by OrderID"),
            (std::vector<std::vector<DbValue>>{{""}, {""}, {""}, {""}, {"no items"}}));

  IntakeResult again = getOrders(MailAccount::Security::None, false);
  EXPECT_TRUE(again.completed);
  EXPECT_EQ(again.stored, 0);
  EXPECT_NE(log.find("was imported before"), std::string::npos);

  for (int run = 0; run < 2; ++run) {
    log.clear();
    IntakeResult tls = getOrders(MailAccount::Security::Tls, true);
    ASSERT_TRUE(tls.completed) << tls.error;
    EXPECT_EQ(tls.stored, 0);
    EXPECT_EQ(storedOrders(database).size(), 5u);
    EXPECT_EQ(server.messageCount(kUser), 2);
    EXPECT_NE(log.find("2 message(s) left on the server: 1 an order without items, 1 not an "
                       "order.\r\n"),
              std::string::npos)
        << log;
  }
  EXPECT_EQ(dialogs.messages.size(), 0u);
}

TEST_F(OrderIntakeServerTest, OddMailsTakeNothingFromTheOrdersAroundThem) {
  std::string big = OrderMailText().text();
  while (big.size() < 20'000'000) big += std::string(998, 'x') + "\r\n";
  const std::string odd[] = {
      big,
      "From: \xe9l\xe8ve <e@buyer.example>\r\nSubject: Online Order \xfc\r\n\r\n" +
          OrderMailText().body(),
      "Subject: Online Order\r\nContent-Type: multipart/mixed; boundary=\"B\"\r\n\r\n--B\r\n"
      "Content-Transfer-Encoding: base64\r\n\r\n!!*not base64*!!\r\n--",
      "Subject: Lunch?\r\n\r\nSee you.\r\n",
      // A form without shipping: its single address is billing and shipping.
      "Subject: Online Order\r\n\r\nAMOUNT=$$$ 2\r\nCust_Serv_Phone=1\r\nName=Al\r\nPhone=5\r\n"};
  server.deliver(kUser, OrderMailText().text());
  for (const std::string& mail : odd) server.deliver(kUser, mail);
  server.deliver(kUser, OrderMailText().text());
  const IntakeResult result = getOrders(MailAccount::Security::None, true);
  ASSERT_TRUE(result.completed) << result.error;
  EXPECT_EQ(result.failed, 0);
  EXPECT_EQ(result.stored, 6);                  // all but the one that is not an order
  EXPECT_EQ(storedLines(database).size(), 4u);  // the broken one has no lines
  EXPECT_EQ(testing::rowsOf(database, "select ShipName, BillPhoneNumber from Orders where Total=2"),
            (std::vector<std::vector<DbValue>>{{"Al", "5"}}));
  // Deleted: the orders with items; kept: the two without and the lunch mail.
  EXPECT_EQ(server.messageCount(kUser), 3);
}

// The desktop keyring as a map; `available` false: no secret service.
struct MapKeyring : PasswordKeyring {
  using Text = const std::string&;
  bool answers = true;
  std::map<std::string, std::string> kept;
  bool available() override { return answers; }
  std::optional<std::string> lookup(Text host, Text user) override {
    return kept.count(host + user) ? std::optional(kept[host + user]) : std::nullopt;
  }
  bool store(Text host, Text user, Text password) override {
    kept[host + user] = password;
    return true;
  }
  void forget(Text host, Text user) override { kept.erase(host + user); }
};

// The window's tab as a merchant meets it: [mail] says POP3S and the CA, the
// tab remembers host and user, and the password when the box is ticked.
TEST_F(OrderIntakeServerTest, TheTabReachesPop3sFromTheSettingsAndRemembersTheMailbox) {
  const MailAccount account = server.account(kUser, kPassword, MailAccount::Security::Tls);
  MailSettings tls;  // security "tls" by default
  tls.port = account.port;
  tls.caFile = account.caFile;
  MapKeyring keyring;
  BlockingEventLoop loop;
  BlockingEventLoop loop2;
  const auto tab = [&](EventLoop& tabLoop) {
    return std::make_unique<OrderIntake>(
        OrderIntakePlatform{
            tabLoop, dialogs, tls, database, {}, {}, folder.file("mailbox.state"), &keyring},
        std::make_unique<CurlMailClient>(tabLoop));
  };
  server.deliver(kUser, OrderMailText().text());
  auto first = tab(loop);
  first->PopHost.setText(account.host);
  first->PopUserName.setText(kUser);
  first->PopPassword.setText(kPassword);
  first->chkKeepPassword.setValue(1);
  const IntakeResult result = clickGetOrders(*first, loop);
  ASSERT_TRUE(result.completed) << result.error << first->Text18.Text();
  EXPECT_EQ(result.stored, 1);
  EXPECT_EQ(folder.read("mailbox.state"), "host=" + account.host + "\nuser=shop\n");

  auto again = tab(loop2);
  EXPECT_EQ(again->PopHost.Text(), account.host);
  EXPECT_EQ(again->PopUserName.Text(), kUser);
  EXPECT_EQ(again->PopPassword.Text(), kPassword);
  EXPECT_TRUE(again->chkKeepPassword.checked());
  again->chkKeepPassword.setValue(0);  // unticked: the keyring forgets it
  clickGetOrders(*again, loop2);
  EXPECT_TRUE(keyring.kept.empty());

  keyring.answers = false;
  auto without = tab(loop2);
  EXPECT_FALSE(without->chkKeepPassword.Enabled());
  EXPECT_EQ(without->chkKeepPassword.Caption(), MailboxMemory::kNoKeyring);
  EXPECT_EQ(without->PopPassword.Text(), "");
}

}  // namespace
}  // namespace vendaro
