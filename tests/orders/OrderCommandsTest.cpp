#include "orders/OrderCommands.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "platform/sqlite/SqliteDatabase.h"
#include "tests/orders/OrderIntakeFixture.h"
#include "tests/orders/OrderTestMails.h"
#include "tests/support/Pop3TestServer.h"
#include "tests/support/RequiredTool.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestDatabase.h"

namespace vendaro {
namespace {

using testing::OrderMailText;
using testing::Pop3TestServer;
using testing::TempFolder;

struct CommandRun {
  int code;
  std::string out;
  std::string err;
};

class GetOrdersCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    VENDARO_REQUIRE_TOOL(Pop3TestServer::available(), Pop3TestServer::kUnavailable);
    server.addUser("shop", "right");
    server.start();
    app.write("password", "right\n");
    options.appFolder = app.path();
    options.mailbox = {.host = "127.0.0.1",
                       .port = server.tlsPort(),
                       .security = MailAccount::Security::Tls,
                       .caFile = server.caFile(),
                       .user = "shop"};
    options.passwordFile = app.file("password");
  }

  CommandRun run() {
    std::ostringstream out;
    std::ostringstream err;
    const int code = runGetOrdersCommand(options, MailSettings{}, out, err);
    return {code, out.str(), err.str()};
  }

  Pop3TestServer server;
  TempFolder app;
  GetOrdersOptions options;
};

TEST_F(GetOrdersCommandTest, StoresTheOrdersAndPrintsTheLog) {
  server.deliver("shop", OrderMailText().text());
  options.deleteMessages = true;
  const CommandRun result = run();
  EXPECT_EQ(result.code, 0) << result.err;
  EXPECT_NE(result.out.find(" Online Order\n ann@buyer.example\n"), std::string::npos);
  EXPECT_NE(result.out.find("orders stored: 1\n"), std::string::npos) << result.out;
  EXPECT_EQ(result.out.find("right"), std::string::npos);
  EXPECT_EQ(server.messageCount("shop"), 0);
  // The printed log masks the card number and leaves the expiry date out;
  // the database keeps what the mail carried.
  EXPECT_NE(result.out.find("\n************1111\n\nSaver\n"), std::string::npos) << result.out;
  EXPECT_EQ(result.out.find("4111111111111111"), std::string::npos);
  EXPECT_EQ(result.out.find("12/29"), std::string::npos);
  SqliteDatabase database(app.file(kProgramDatabaseFile));
  EXPECT_EQ(testing::rowsOf(database, "select CCNumber, CCExp from Orders"),
            (std::vector<std::vector<DbValue>>{{"4111111111111111", "12/29"}}));

  const CommandRun empty = run();
  EXPECT_EQ(empty.code, 0);
  EXPECT_NE(empty.out.find("No mail waiting\n"), std::string::npos);
}

TEST_F(GetOrdersCommandTest, FailsClearlyOnLoginAndConnectionErrors) {
  app.write("password", "wrong\n");
  CommandRun result = run();
  EXPECT_EQ(result.code, kOrdersCommandFailed);
  EXPECT_NE(result.err.find("vendaro get-orders: the intake failed:"), std::string::npos)
      << result.err;

  app.write("password", "right\n");
  server.kill();
  result = run();
  EXPECT_EQ(result.code, kOrdersCommandFailed);
  EXPECT_NE(result.err.find("vendaro get-orders: the intake failed:"), std::string::npos);

  options.passwordFile = app.file("missing");
  result = run();
  EXPECT_EQ(result.code, kOrdersCommandFailed);
  EXPECT_NE(result.err.find("cannot read the password file"), std::string::npos);
}

TEST(OrdersCommandTest, ListsEveryOrderLineAsCsvWithCardNumbersMaskedUnlessAsked) {
  TempFolder app;
  {
    testing::TestDatabase database(app.file(kProgramDatabaseFile));
    const std::int64_t zed = database.insertRow(
        "Orders",
        {{"CustomerID", "zed, \"z\""}, {"CCNumber", "4111 1111 1111 1111"}, {"CCExp", "12/29"}});
    testing::addOrderLine(database, zed, "A100 ", 2, 25);
    testing::addOrderLine(database, zed, "B7", 1, 4.12);
    database.insertRow("Orders", {{"CustomerID", "amy"}, {"Total", 3.5}});
    database.insertRow("Orders", {{"CustomerID", "=HYPERLINK(\"http://x.example\")"},
                                  {"ShipName", "@SUM(A1)"},
                                  {"BillName", "-2+3"}});
  }
  std::ostringstream out;
  std::ostringstream err;
  ASSERT_EQ(runOrdersCommand({app.path(), true, false}, out, err), 0) << err.str();
  std::istringstream rows(out.str());
  std::vector<std::string> lines;
  for (std::string line; std::getline(rows, line);) lines.push_back(line);
  ASSERT_EQ(lines.size(), 5u);
  // Cells a spreadsheet would evaluate stay text.
  EXPECT_EQ(lines[1].rfind("3,\"'=HYPERLINK(\"\"http://x.example\"\")\",,'@SUM(A1),", 0), 0u);
  EXPECT_NE(lines[1].find(",'-2+3,"), std::string::npos);
  lines.erase(lines.begin() + 1);
  EXPECT_EQ(lines[0].rfind("OrderID,CustomerID,OrderDate,", 0), 0u);
  EXPECT_NE(lines[0].find(",CCExp,ProductID,Quantity,Price,LineTotal,PriceCheck\r"), std::string::npos);
  EXPECT_EQ(lines[1].rfind("2,amy,", 0), 0u);  // sorted by customer
  EXPECT_NE(lines[1].find(",3.5,"), std::string::npos);
  // An order without lines is one row as wide as the header.
  EXPECT_EQ(std::count(lines[1].begin(), lines[1].end(), ','),
            std::count(lines[0].begin(), lines[0].end(), ','));
  EXPECT_EQ(lines[2].rfind("1,\"zed, \"\"z\"\"\",", 0), 0u);
  EXPECT_NE(lines[2].find(",************1111,,A100 ,2,25,50,not checked\r"), std::string::npos) << lines[2];
  EXPECT_EQ(lines[3].substr(lines[3].size() - 28), ",B7,1,4.12,4.12,not checked\r");

  std::ostringstream full;
  ASSERT_EQ(runOrdersCommand({app.path(), true, true}, full, err), 0);
  EXPECT_NE(full.str().find(",4111 1111 1111 1111,12/29,A100 ,2,25,50,not checked\r\n"), std::string::npos);

  std::ostringstream text;
  ASSERT_EQ(runOrdersCommand({app.path(), false, false}, text, err), 0);
  EXPECT_NE(text.str().find("Order 1\n  CustomerID: zed, \"z\"\n"), std::string::npos);
  EXPECT_NE(text.str().find("  CCNumber: ************1111\n  PriceCheck: not checked\n"
                            "  Status: new\n  Lines: 2\n    A100  | 2 | 25 | 50\n"),
            std::string::npos)
      << text.str();
  EXPECT_EQ(text.str().find("CCExp"), std::string::npos);

  // A mistyped folder (made by the command line) is neither kept nor given a database.
  std::filesystem::create_directory(app.file("TYPO"));
  EXPECT_EQ(runOrdersCommand({app.file("TYPO"), false, false}, text, err), kOrdersCommandFailed);
  EXPECT_FALSE(std::filesystem::exists(app.file("TYPO")));
}

}  // namespace
}  // namespace vendaro
