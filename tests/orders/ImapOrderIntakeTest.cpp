// get-orders over IMAP against dovecot: orders moved away, other mail left,
// nothing stored twice after a killed run, and the watching command taking
// orders as they arrive, across a server restart, until SIGTERM.
#include <gtest/gtest.h>
#include <pthread.h>
#include <signal.h>

#include <chrono>
#include <functional>
#include <sstream>
#include <thread>

#include "orders/OrderCommands.h"
#include "orders/OrderIntake.h"
#include "platform/BlockingEventLoop.h"
#include "platform/curl/ImapMailClient.h"
#include "tests/orders/OrderIntakeFixture.h"
#include "tests/orders/OrderTestMails.h"
#include "tests/support/Pop3TestServer.h"
#include "tests/support/RequiredTool.h"

namespace vendaro {
namespace {

using namespace std::chrono_literals;
using testing::OrderMailText;
using testing::Pop3TestServer;
using testing::storedOrders;
using testing::TempFolder;

constexpr const char* kUser = "shop";
constexpr const char* kFolder = "Vendaro/Imported";

class ImapOrderIntakeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    VENDARO_REQUIRE_TOOL(Pop3TestServer::imapAvailable(), Pop3TestServer::kImapUnavailable);
    server.addUser(kUser, "right");
    server.start();
    app.write("password", "right\n");
    options.appFolder = app.path();
    options.mailbox = server.account(kUser, "", MailAccount::Security::StartTls,
                                     MailAccount::Protocol::Imap);
    options.passwordFile = app.file("password");
  }

  int ordersStored() {
    try {
      SqliteDatabase database(app.file(kProgramDatabaseFile));
      return static_cast<int>(storedOrders(database).size());
    } catch (const DataError&) {
      return 0;  // the command has not made the tables yet
    }
  }

  // Waits up to 20 s for `count` orders in the database.
  // A restarted server may be met only after a few back-offs (1, 2, 4, 8 s)
  // on a busy machine, so the wait is generous; it ends as soon as the orders are in.
  // Whether `holds` comes true within a minute, as a busy machine may need.
  static bool eventually(const std::function<bool()>& holds) {
    for (int tries = 0; tries < 1200; ++tries) {
      if (holds()) return true;
      std::this_thread::sleep_for(50ms);
    }
    return false;
  }

  bool awaitOrders(int count) {
    return eventually([&] { return ordersStored() >= count; });
  }

  // Stores the first order of the inbox and ends before the intake logs out,
  // as a killed process would: the order is in the database, the mail in the inbox.
  void storeOneAndDie() {
    SqliteDatabase database(app.file(kProgramDatabaseFile));
    BlockingEventLoop loop;
    testing::ScriptedDialogs dialogs;
    MailSettings settings;
    OrderIntake intake(OrderIntakePlatform{loop, dialogs, settings, database, {}},
                       std::make_unique<ImapMailClient>(loop, kFolder));
    MailAccount account = options.mailbox;
    account.password = "right";
    intake.useAccount(account);
    intake.session.events.message = [&loop](const MessageOutcome&) { loop.stop(); };
    loop.post([&] { intake.cmdGetMail_Click(); });
    loop.run();
    ASSERT_EQ(intake.session.storedCount(), 1);
  }

  std::string run(int expectedCode) {
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(runGetOrdersCommand(options, MailSettings{}, out, err), expectedCode) << err.str();
    return out.str() + err.str();
  }

  Pop3TestServer server;
  TempFolder app;
  GetOrdersOptions options;
};

TEST_F(ImapOrderIntakeTest, MovesStoredOrdersLeavesOtherMailAndStoresNothingTwiceAfterAKill) {
  OrderMailText newsletter;
  newsletter.subject = "Newsletter";
  server.deliver(kUser, OrderMailText().text());
  server.deliver(kUser, newsletter.text());
  server.deliver(kUser, OrderMailText().text());
  storeOneAndDie();
  EXPECT_EQ(ordersStored(), 1);
  EXPECT_EQ(server.messageCount(kUser), 3);

  const std::string first = run(0);
  EXPECT_NE(first.find("orders stored: 1\n"), std::string::npos) << first;
  EXPECT_NE(first.find(";UID=1 was imported before"), std::string::npos) << first;
  EXPECT_EQ(ordersStored(), 2);
  EXPECT_EQ(server.messageCount(kUser), 1);  // the newsletter stays
  EXPECT_EQ(server.messageCount(kUser, kFolder), 2);

  const std::string again = run(0);
  EXPECT_NE(again.find("orders stored: 0\n"), std::string::npos) << again;
  EXPECT_EQ(server.messageCount(kUser), 1);

  options.mailbox.user = "nobody-here";
  const std::string refused = run(kOrdersCommandFailed);
  EXPECT_NE(refused.find("Login failed for user nobody-here"), std::string::npos) << refused;
}

TEST_F(ImapOrderIntakeTest, WatchTakesOrdersAsTheyArriveAcrossARestartUntilSigterm) {
  // SIGTERM must reach the command's signal thread only.
  sigset_t term;
  sigemptyset(&term);
  sigaddset(&term, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &term, nullptr);
  server.deliver(kUser, OrderMailText().text());
  options.watch = true;
  std::ostringstream out;
  std::ostringstream err;
  int code = -1;
  std::thread command([&] { code = runGetOrdersCommand(options, MailSettings{}, out, err); });

  EXPECT_TRUE(awaitOrders(1));
  server.deliver(kUser, OrderMailText().text());
  EXPECT_TRUE(awaitOrders(2));
  // The kill comes once the round has moved the second order's mail: a kill
  // between its copy and its deletion would leave a copy for the next round
  // to move again.
  EXPECT_TRUE(eventually(
      [&] { return server.messageCount(kUser) == 0 && server.messageCount(kUser, kFolder) == 2; }));
  server.kill();
  server.start();
  server.deliver(kUser, OrderMailText().text());
  EXPECT_TRUE(awaitOrders(3));
  // The round that stored the third order has moved its mail before the stop.
  EXPECT_TRUE(eventually([&] { return server.messageCount(kUser, kFolder) == 3; }));

  ::kill(::getpid(), SIGTERM);
  command.join();
  pthread_sigmask(SIG_UNBLOCK, &term, nullptr);
  EXPECT_EQ(code, 0) << err.str();
  EXPECT_NE(out.str().find("; trying again in 1 s\n"), std::string::npos) << out.str();
  EXPECT_NE(out.str().find("Stopped watching the mailbox.\n"), std::string::npos) << out.str();
  EXPECT_EQ(server.messageCount(kUser, kFolder), 3);
}

}  // namespace
}  // namespace vendaro
