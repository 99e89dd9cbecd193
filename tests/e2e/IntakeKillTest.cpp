// `get-orders --delete` as a program under faults: killed half-way, the rerun
// stores each order once and empties the mailbox; on a database file it may
// not write, it stores and deletes nothing and says so.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <string>

#include "platform/sqlite/SqliteDatabase.h"
#include "tests/e2e/ProgramRun.h"
#include "tests/orders/OrderTestMails.h"
#include "tests/support/Pop3TestServer.h"
#include "tests/support/RequiredTool.h"
#include "tests/support/TempFolder.h"

namespace vendaro::testing {
namespace {

const std::vector<std::string> kPassword = {"VENDARO_POP_PASSWORD=secret"};

// `get-orders --delete` from the server's mailbox "shop" into `app`.
std::vector<std::string> getOrdersCommand(const TempFolder& app, const Pop3TestServer& server) {
  return {VENDARO_BIN_PATH, "get-orders", "--app-folder", app.path().string(),
          "--host",         "127.0.0.1",  "--port",       std::to_string(server.port()),
          "--user",         "shop",       "--delete"};
}

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
  const std::vector<std::string> getOrders = getOrdersCommand(app, server);
  std::vector<std::string> killed = {"timeout", "-s", "KILL", "1"};
  killed.insert(killed.end(), getOrders.begin(), getOrders.end());
  EXPECT_NE(runProgram(killed, kPassword, scratch.path()).exitCode, 0) << "it was not killed";

  const ProgramResult rerun = runProgram(getOrders, kPassword, scratch.path());
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

// Files may grow to 32 KiB only (the log's index needs that much): writes
// beyond fail as on a full disk (EFBIG), and the signal that would end the program is ignored. The
// output goes through pipes, which the limit does not touch.
std::vector<std::string> withoutRoomToGrow(std::vector<std::string> command) {
  command.insert(
      command.begin(),
      {"bash", "-c",
       "trap '' XFSZ; (ulimit -f 32; exec \"$@\") 2> >(cat >&2) | cat; exit ${PIPESTATUS[0]}",
       "-"});
  return command;
}

// One order stored, two waiting; then `get-orders --delete` on a database
// it cannot write, made so by `unwritable` and run through `wrapped`: the
// run fails, saying `error`, and each order is either stored or still on the
// server, never both. Returns the messages left on the server.
int expectEachOrderOnce(
    const std::function<void(const std::filesystem::path&)>& unwritable,
    const std::function<std::vector<std::string>(std::vector<std::string>)>& wrapped,
    const std::string& error) {
  Pop3TestServer server;
  server.addUser("shop", "secret");
  server.start();
  TempFolder app;
  TempFolder scratch;
  const std::vector<std::string> getOrders = getOrdersCommand(app, server);
  server.deliver("shop", OrderMailText().text());
  const int first = runProgram(getOrders, kPassword, scratch.path()).exitCode;
  EXPECT_EQ(first, 0);
  if (first != 0) return -1;
  server.deliver("shop", OrderMailText().text());
  server.deliver("shop", OrderMailText().text());

  const std::filesystem::path file = app.file("Vendaro2.mdb");
  unwritable(file);
  const ProgramResult run = runProgram(wrapped(getOrders), kPassword, scratch.path());
  EXPECT_EQ(run.exitCode, 2) << run.out << run.err;
  EXPECT_NE((run.out + run.err).find(error), std::string::npos) << run.out << run.err;
  const int left = server.messageCount("shop");
  std::filesystem::permissions(file, std::filesystem::perms::owner_write,
                               std::filesystem::perm_options::add);
  SqliteDatabase database(file);
  EXPECT_EQ(database.select("SELECT count(*) FROM Orders").rows[0][0],
            DbValue(std::int64_t{3 - left}));
  return left;
}

TEST(IntakeKillTest, ADatabaseThatCannotBeWrittenLosesAndDoublesNothing) {
  VENDARO_REQUIRE_TOOL(Pop3TestServer::available(), Pop3TestServer::kUnavailable);
  VENDARO_REQUIRE_TOOL(::geteuid() != 0 || programInPath("setpriv"), "setpriv is missing");
  {
    SCOPED_TRACE("read-only file");
    const int left = expectEachOrderOnce(
        [](const std::filesystem::path& file) {
          std::filesystem::permissions(
              file, std::filesystem::perms::owner_read | std::filesystem::perms::group_read);
        },
        withoutFileOverride, "attempt to write a readonly database");
    EXPECT_EQ(left, 2);
  }
  {
    // The log may take about one order before the file size limit.
    SCOPED_TRACE("no room to grow");
    EXPECT_GE(expectEachOrderOnce([](const std::filesystem::path&) {}, withoutRoomToGrow,
                                  "could not be stored"),
              1);
  }
}

}  // namespace
}  // namespace vendaro::testing
