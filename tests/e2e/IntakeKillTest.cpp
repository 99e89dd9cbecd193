// A killed `get-orders --delete`: the rerun stores each order once and empties the mailbox.
#include <gtest/gtest.h>

#include <string>

#include "platform/sqlite/SqliteDatabase.h"
#include "tests/e2e/ProgramRun.h"
#include "tests/orders/OrderTestMails.h"
#include "tests/support/Pop3TestServer.h"
#include "tests/support/RequiredTool.h"
#include "tests/support/TempFolder.h"

namespace vendaro::testing {
namespace {

TEST(IntakeKillTest, AKilledIntakeLosesAndDoublesNothing) {
  VENDARO_REQUIRE_TOOL(Pop3TestServer::available(), Pop3TestServer::kUnavailable);
  constexpr std::int64_t kOrders = 5000;
  Pop3TestServer server;
  server.addUser("shop", "secret");
  server.start();
  for (int n = 0; n < kOrders; ++n) {
    OrderMailText mail;
    mail.from = "buyer" + std::to_string(n) + "@buyer.example";
    server.deliver("shop", mail.text());
  }
  TempFolder app;
  TempFolder scratch;
  const std::vector<std::string> getOrders = {
      VENDARO_BIN_PATH, "get-orders", "--app-folder", app.path().string(), "--host", "127.0.0.1",
      "--port", std::to_string(server.port()), "--user", "shop", "--delete"};
  std::vector<std::string> killed = {"timeout", "-s", "KILL", "1"};
  killed.insert(killed.end(), getOrders.begin(), getOrders.end());
  const std::vector<std::string> password = {"VENDARO_POP_PASSWORD=secret"};
  EXPECT_NE(runProgram(killed, password, scratch.path()).exitCode, 0) << "it was not killed";

  const ProgramResult rerun = runProgram(getOrders, password, scratch.path());
  EXPECT_EQ(rerun.exitCode, 0) << rerun.err;
  SqliteDatabase database(app.file("Vendaro2.mdb"));
  EXPECT_EQ(database.select("SELECT count(*), count(DISTINCT CustomerID) FROM Orders").rows,
            (std::vector<std::vector<DbValue>>{{DbValue(kOrders), DbValue(kOrders)}}));
  EXPECT_EQ(server.messageCount("shop"), 0);
}

}  // namespace
}  // namespace vendaro::testing
