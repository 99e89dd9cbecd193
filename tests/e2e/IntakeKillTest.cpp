// `vendaro get-orders --delete` killed half-way: the rerun stores every
// order exactly once and empties the mailbox.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

#include "platform/sqlite/SqliteDatabase.h"
#include "tests/e2e/ProgramRun.h"
#include "tests/orders/OrderTestMails.h"
#include "tests/support/Pop3TestServer.h"
#include "tests/support/RequiredTool.h"
#include "tests/support/TempFolder.h"

namespace vendaro::testing {
namespace {

std::int64_t ordersIn(const std::filesystem::path& file) {
  try {
    SqliteDatabase database(file);
    return database.select("SELECT count(DISTINCT CustomerID), count(*) FROM Orders")
        .rows.at(0)
        .at(1)
        .integer();
  } catch (const std::exception&) {
    return 0;  // not made yet
  }
}

TEST(IntakeKillTest, AKilledIntakeLosesAndDoublesNothing) {
  VENDARO_REQUIRE_TOOL(Pop3TestServer::available(), Pop3TestServer::kUnavailable);
  constexpr int kOrders = 3000;
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
  const std::vector<std::string> command = {VENDARO_BIN_PATH, "get-orders", "--app-folder",
                                            app.path().string(), "--host", "127.0.0.1", "--port",
                                            std::to_string(server.port()), "--user", "shop",
                                            "--delete"};
  const pid_t child = fork();
  if (child == 0) {
    setenv("VENDARO_POP_PASSWORD", "secret", 1);
    freopen("/dev/null", "w", stdout);
    std::vector<char*> argv;
    for (const std::string& argument : command) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    execv(argv[0], argv.data());
    _exit(127);
  }
  const std::filesystem::path database = app.file("Vendaro2.mdb");
  const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  while (ordersIn(database) < kOrders / 10 && std::chrono::steady_clock::now() < until) {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  kill(child, SIGKILL);
  waitpid(child, nullptr, 0);
  const std::int64_t before = ordersIn(database);
  EXPECT_GT(before, 0);
  EXPECT_LT(before, kOrders) << "the intake ended before it was killed";

  const ProgramResult rerun =
      runProgram(command, {"VENDARO_POP_PASSWORD=secret"}, scratch.path());
  EXPECT_EQ(rerun.exitCode, 0) << rerun.err;
  SqliteDatabase check(database);
  const auto counts =
      check.select("SELECT count(DISTINCT CustomerID), count(*) FROM Orders").rows.at(0);
  EXPECT_EQ(counts.at(0).integer(), kOrders);
  EXPECT_EQ(counts.at(1).integer(), kOrders);
  EXPECT_EQ(server.messageCount("shop"), 0);
}

}  // namespace
}  // namespace vendaro::testing
