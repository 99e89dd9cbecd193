// get-orders against misbehaving POP3 servers and a database that refuses:
// nothing lost, nothing stored twice, nothing deleted that is not stored.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <memory>
#include <sstream>

#include "orders/OrderCommands.h"
#include "orders/OrderIntake.h"
#include "orders/OrderTables.h"
#include "platform/FileLock.h"
#include "tests/orders/OrderIntakeFixture.h"
#include "tests/orders/OrderTestMails.h"
#include "tests/support/ScriptedPop3Server.h"

namespace vendaro {
namespace {

using testing::ScriptedPop3Server;
using Script = std::map<std::string, std::string>;

const std::string kMail = "Message-ID: <m1@buyer.example>\r\n" + testing::OrderMailText().text();

// A mail with neither a unique id on the server nor a Message-ID is known by
// the SHA-256 of its text; earlier versions recorded an FNV-1a digest.
const std::string kBareMail =
    "From: ann@buyer.example\r\nSubject: Online Order\r\n\r\n"
    "DESCRIPTION=A100 ^ 2 ^ 25.00 ^ 50.00^\r\nAMOUNT=$$$ 54.12\r\n";
constexpr const char* kBareMailId =
    "digest c04f0fa56c061cb9d9802bf8150e226aef0457ad8389ee26e6de57c75cfd4d59-107";
constexpr const char* kBareMailEarlierId = "digest 79baa7f46701e289-107";
const Script kWithoutUidl = {{"CAPA", "+OK\r\nUSER\r\n.\r\n"}};
const Script kBareMailWithoutUidl = ScriptedPop3Server::mailbox({{"", kBareMail}}, kWithoutUidl);

struct Fault {
  const char* name;
  Script changes = {};
  int code = 2;
  const char* error = "";  // in the error output
  std::size_t orders = 0;
  int deletions = 0;  // DELE commands that reached the server
  const char* user = "shop";
  int runs = 1;
  const char* importedAs = nullptr;  // the id the message is recorded under
  std::string sql = {};              // run on the order tables before the runs
  bool locked = false;               // another intake holds the folder's lock
};

TEST(OrderIntakeFaultTest, MisbehavingServersAndDatabasesLoseAndDuplicateNothing) {
  using Server = ScriptedPop3Server;
  std::string bareLf = kMail;  // without its CRs
  std::erase(bareLf, '\r');
  const Fault faults[] = {
      {.name = "well-behaved", .code = 0, .orders = 1, .deletions = 1},
      {.name = "cut inside RETR",
       .changes = {{"RETR 1", "+OK\r\n" + kMail.substr(0, 99) + Server::kHangUp}},
       .error = "broke off after"},
      {.name = "trickling",
       .changes = {{"RETR 1", std::string(Server::kTrickle) + "+OK\r\n" + kMail + ".\r\n"}},
       .error = "did not arrive in the time allowed"},
      {.name = "no UIDL, run twice",
       .changes = kWithoutUidl,
       .code = 0,
       .orders = 1,
       .deletions = 2,
       .runs = 2},
      {.name = "no UIDL, no Message-ID, run twice",
       .changes = kBareMailWithoutUidl,
       .code = 0,
       .orders = 1,
       .deletions = 2,
       .runs = 2,
       .importedAs = kBareMailId},
      {.name = "imported by an earlier version under its digest",
       .changes = kBareMailWithoutUidl,
       .code = 0,
       .deletions = 1,
       .importedAs = kBareMailEarlierId,
       .sql = "INSERT INTO [ImportedMessages] (mailbox, uid) VALUES ('shop@127.0.0.1', '" +
              std::string(kBareMailEarlierId) + "')"},
      {.name = "line break in the user", .error = "line break", .user = "shop\r\nDELE 1"},
      {.name = "garbage greeting",
       .changes = {{Server::kGreeting, "HTTP/1.1 400 Bad\r\n"}},
       .error = "it sent \"HTTP/1.1 400 Bad\""},
      {.name = "bare LF",
       .changes = {{"RETR 1", "+OK\r\n" + bareLf + ".\n"}},
       .error = "bare LF line ends"},
      {.name = "database refuses the order",
       .error = "could not be stored",
       .sql = "CREATE TRIGGER full BEFORE INSERT ON [Order Details] "
              "BEGIN SELECT RAISE(ABORT, 'database or disk is full'); END"},
      {.name = "another intake in the folder",
       .error = "Another mail intake is running",
       .locked = true},
  };
  setenv(kPopPasswordVariable, "secret", 1);
  for (const Fault& fault : faults) {
    SCOPED_TRACE(fault.name);
    ScriptedPop3Server server(ScriptedPop3Server::mailbox({{"u1", kMail}}, fault.changes));
    testing::TempFolder app;
    if (!fault.sql.empty()) {
      SqliteDatabase database(app.file(kProgramDatabaseFile));
      createOrderTables(database);
      database.execute(fault.sql);
    }
    const auto held = fault.locked ? FileLock::tryTake(app.file(kIntakeLockFile)) : nullptr;
    const GetOrdersOptions options{
        .appFolder = app.path(),
        .mailbox = {.host = "127.0.0.1", .port = server.port(), .user = fault.user},
        .passwordFile = {},
        .deleteMessages = true,
        .showProgress = false,
        .timeouts = {5, 1, 4096, 250}};
    std::ostringstream out, err;
    int code = 0;
    for (int run = 0; run < fault.runs; ++run) code = runGetOrdersCommand(options, {}, out, err);
    EXPECT_EQ(code, fault.code) << err.str();
    EXPECT_NE(err.str().find(fault.error), std::string::npos) << err.str();
    SqliteDatabase database(app.file(kProgramDatabaseFile));
    createOrderTables(database);
    EXPECT_EQ(testing::storedOrders(database).size(), fault.orders) << out.str();
    if (fault.importedAs) {
      EXPECT_EQ(testing::rowsOf(database, "SELECT uid FROM [ImportedMessages]"),
                (std::vector<std::vector<DbValue>>{{fault.importedAs}}));
    }
    const auto commands = server.commands();
    EXPECT_EQ(std::count(commands.begin(), commands.end(), "DELE 1"), fault.deletions);
    EXPECT_TRUE(fault.deletions == 0 || commands.back() == "QUIT");
  }
}

}  // namespace
}  // namespace vendaro
