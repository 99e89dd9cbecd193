// get-orders against misbehaving POP3 servers and a database that refuses:
// nothing lost, nothing stored twice, nothing deleted that is not stored.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>
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
const std::string kSize = std::to_string(kMail.size());

// A well-behaved server with one order mail, changed by `changes`.
Script scriptWith(const Script& changes) {
  Script script = {{"CAPA", "+OK\r\nUSER\r\nUIDL\r\n.\r\n"},
                   {"USER", "+OK\r\n"},
                   {"PASS", "+OK\r\n"},
                   {"STAT", "+OK 1 " + kSize + "\r\n"},
                   {"LIST", "+OK\r\n1 " + kSize + "\r\n.\r\n"},
                   {"UIDL", "+OK\r\n1 u1\r\n.\r\n"},
                   {"RETR 1", "+OK " + kSize + " octets\r\n" + kMail + ".\r\n"},
                   {"DELE 1", "+OK\r\n"},
                   {"NOOP", "+OK\r\n"},
                   {"QUIT", "+OK\r\n"}};
  for (const auto& [command, reply] : changes) script[command] = reply;
  return script;
}

struct Fault {
  const char* name;
  Script changes;
  int code;
  const char* error;  // in the error output; empty: none expected
  std::size_t orders = 0;
  bool deleted = false;  // DELE reached the server
  const char* user = "shop";
  int runs = 1;
  // Prepares the application folder; what it returns is held during the runs.
  std::function<std::unique_ptr<FileLock>(testing::TempFolder&)> setUp = {};
};

std::string withBareLf(std::string text) {
  for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at)) {
    text.erase(at, 1);
  }
  return text;
}

TEST(OrderIntakeFaultTest, MisbehavingServersAndDatabasesLoseAndDuplicateNothing) {
  const std::string half = kMail.substr(0, kMail.size() / 2);
  const Fault faults[] = {
      {"a well-behaved server", {}, 0, "", 1, true},
      {"a connection cut inside RETR",
       {{"RETR 1", "+OK " + kSize + " octets\r\n" + half + ScriptedPop3Server::kHangUp}},
       2,
       "broke off after"},
      {"a server that trickles",
       {{"RETR 1", std::string(ScriptedPop3Server::kTrickle) + "+OK\r\n" + kMail + ".\r\n"}},
       2,
       "did not arrive in the time allowed"},
      {"a server without UIDL, run twice",
       {{"CAPA", "+OK\r\nUSER\r\n.\r\n"}},
       0,
       "",
       1,
       true,
       "shop",
       2},
      {"a line break in the user name", {}, 2, "line break", 0, false, "shop\r\nDELE 1"},
      {"a garbage greeting", {{ScriptedPop3Server::kGreeting, "HTTP/1.1 400 Bad\r\n"}}, 2,
       "it sent \"HTTP/1.1 400 Bad\""},
      {"a message with bare LF line ends",
       {{"RETR 1", "+OK\r\n" + withBareLf(kMail) + ".\n"}},
       2,
       "bare LF line ends"},
      {"a database that refuses the order",
       {},
       2,
       "could not be stored",
       0,
       false,
       "shop",
       1,
       [](testing::TempFolder& app) {
         SqliteDatabase database(app.file(kProgramDatabaseFile));
         createOrderTables(database);
         database.execute(
             "CREATE TRIGGER full BEFORE INSERT ON [Order Details] "
             "BEGIN SELECT RAISE(ABORT, 'database or disk is full'); END");
         return nullptr;
       }},
      {"another intake in the folder",
       {},
       2,
       "Another order intake is running",
       0,
       false,
       "shop",
       1,
       [](testing::TempFolder& app) { return FileLock::tryTake(app.file(kIntakeLockFile)); }},
  };
  for (const Fault& fault : faults) {
    SCOPED_TRACE(fault.name);
    ScriptedPop3Server server(scriptWith(fault.changes));
    testing::TempFolder app;
    const auto held = fault.setUp ? fault.setUp(app) : nullptr;
    app.write("password", "secret\n");
    GetOrdersOptions options;
    options.appFolder = app.path();
    options.host = "127.0.0.1";
    options.port = server.port();
    options.user = fault.user;
    options.passwordFile = app.file("password");
    options.deleteMessages = true;
    options.timeouts = MailTimeouts{5, 1, 4096, 250};
    std::ostringstream out;
    std::ostringstream err;
    const auto started = std::chrono::steady_clock::now();
    int code = 0;
    for (int run = 0; run < fault.runs; ++run) {
      code = runGetOrdersCommand(options, MailSettings{}, out, err);
    }
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(4));
    EXPECT_EQ(code, fault.code) << err.str();
    if (*fault.error) {
      EXPECT_NE(err.str().find(fault.error), std::string::npos) << err.str();
    }
    SqliteDatabase database(app.file(kProgramDatabaseFile));
    createOrderTables(database);
    EXPECT_EQ(testing::storedOrders(database).size(), fault.orders) << out.str();
    const auto commands = server.commands();
    EXPECT_EQ(std::count(commands.begin(), commands.end(), "DELE 1"), fault.deleted ? fault.runs : 0);
    if (fault.deleted) {
      EXPECT_EQ(commands.back(), "QUIT");
    }
  }
}

}  // namespace
}  // namespace vendaro
