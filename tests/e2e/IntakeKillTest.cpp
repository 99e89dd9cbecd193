// `get-orders --delete` as a program under faults: killed half-way, the rerun
// stores each order once and empties the mailbox; on a database file it may
// not write, it stores and deletes nothing and says so.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
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
      VENDARO_BIN_PATH, "get-orders", "--app-folder", app.path().string(),
      "--host",         "127.0.0.1",  "--port",       std::to_string(server.port()),
      "--user",         "shop",       "--delete"};
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

// Root writes to any file whatever its mode: a run as root leaves out the
// capabilities that allow it, so the file's mode counts as for anybody else.
std::vector<std::string> withoutFileOverride(std::vector<std::string> command) {
  if (::geteuid() != 0) return command;
  command.insert(command.begin(), {"setpriv", "--bounding-set=-dac_override,-dac_read_search",
                                   "--inh-caps=-dac_override,-dac_read_search", "--"});
  return command;
}

TEST(IntakeKillTest, AReadOnlyDatabaseFileStoresAndDeletesNothing) {
  VENDARO_REQUIRE_TOOL(Pop3TestServer::available(), Pop3TestServer::kUnavailable);
  VENDARO_REQUIRE_TOOL(::geteuid() != 0 || programInPath("setpriv"), "setpriv is missing");
  Pop3TestServer server;
  server.addUser("shop", "secret");
  server.start();
  TempFolder app;
  TempFolder scratch;
  const std::vector<std::string> getOrders = {
      VENDARO_BIN_PATH, "get-orders", "--app-folder", app.path().string(),
      "--host",         "127.0.0.1",  "--port",       std::to_string(server.port()),
      "--user",         "shop",       "--delete"};
  const std::vector<std::string> password = {"VENDARO_POP_PASSWORD=secret"};
  server.deliver("shop", OrderMailText().text());
  ASSERT_EQ(runProgram(getOrders, password, scratch.path()).exitCode, 0);
  server.deliver("shop", OrderMailText().text());
  server.deliver("shop", OrderMailText().text());

  namespace fs = std::filesystem;
  fs::permissions(app.file("Vendaro2.mdb"), fs::perms::owner_read | fs::perms::group_read);
  const ProgramResult run = runProgram(withoutFileOverride(getOrders), password, scratch.path());
  EXPECT_EQ(run.exitCode, 2) << run.out << run.err;
  EXPECT_NE(run.out.find("attempt to write a readonly database"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("could not be stored"), std::string::npos) << run.out;
  EXPECT_NE(run.err.find("2 message(s) could not be stored"), std::string::npos) << run.err;
  EXPECT_EQ(server.messageCount("shop"), 2);
  fs::permissions(app.file("Vendaro2.mdb"), fs::perms::owner_write, fs::perm_options::add);
  SqliteDatabase database(app.file("Vendaro2.mdb"));
  EXPECT_EQ(database.select("SELECT count(*) FROM Orders").rows[0][0], DbValue(std::int64_t{1}));
}

}  // namespace
}  // namespace vendaro::testing
