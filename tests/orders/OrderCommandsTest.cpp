#include "orders/OrderCommands.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <sstream>

#include "orders/CheckOrdersCommand.h"
#include "orders/InvoiceCommands.h"
#include "orders/OrderChecks.h"
#include "orders/OrderCommand.h"
#include "orders/OrderWorkflow.h"
#include "orders/OutboxCommand.h"
#include "orders/SalesCommand.h"
#include "orders/StockCommand.h"
#include "platform/sqlite/SqliteDatabase.h"
#include "tests/orders/OrderIntakeFixture.h"
#include "tests/orders/OrderTestMails.h"
#include "tests/support/CommandRun.h"
#include "tests/support/Pop3TestServer.h"
#include "tests/support/RequiredTool.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestDatabase.h"

namespace vendaro {
namespace {

using testing::CommandRun;
using testing::OrderMailText;
using testing::Pop3TestServer;
using testing::TempFolder;

class GetOrdersCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    VENDARO_REQUIRE_TOOL(Pop3TestServer::available(), Pop3TestServer::kUnavailable);
    server.addUser("shop", "right");
    server.start();
    app.write("password", "right\n");
    options.appFolder = app.path();
    options.mailbox = server.account("shop", "", MailAccount::Security::Tls);
    options.passwordFile = app.file("password");
  }

  CommandRun run() {
    return testing::runCommand(
        [&](auto& out, auto& err) { return runGetOrdersCommand(options, {}, out, err); });
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

  // A host written with its port, as pop_host of [mail] may be, is reached.
  server.deliver("shop", OrderMailText().text());
  options.mailbox = {.host = "127.0.0.1:" + std::to_string(server.port()), .user = "shop"};
  const CommandRun withPort = run();
  EXPECT_EQ(withPort.code, 0) << withPort.err;
  EXPECT_NE(withPort.out.find("orders stored: 1\n"), std::string::npos) << withPort.out;
}

TEST_F(GetOrdersCommandTest, AMissingPasswordFileIsNamed) {
  options.passwordFile = app.file("missing");
  const CommandRun result = run();
  EXPECT_EQ(result.code, kOrdersCommandFailed);
  EXPECT_NE(result.err.find("cannot read the password file"), std::string::npos) << result.err;
}

CommandRun listOrders(const std::filesystem::path& folder, bool csv, bool cardNumbers = false,
                      const std::string& status = {}) {
  return testing::runCommand([&](auto& out, auto& err) {
    return runOrdersCommand({folder, csv, cardNumbers, QuestionAnswer::No, status}, out, err);
  });
}

std::vector<std::string> linesOf(const std::string& text) {
  std::istringstream rows(text);
  std::vector<std::string> lines;
  for (std::string line; std::getline(rows, line);) lines.push_back(line);
  return lines;
}

TEST(OrdersCommandTest, ListsEveryOrderLineByOrderIdTrimmedWithCardNumbersMaskedUnlessAsked) {
  TempFolder app;
  {
    testing::TestDatabase database(app.file(kProgramDatabaseFile));
    const std::int64_t zed = database.insertRow("Orders", {{"CustomerID", " zed, \"z\""},
                                                           {"CCNumber", "4111 1111 1111 1111"},
                                                           {"CCExp", "12/29"},
                                                           {"ShippingCost", "$ 3.00"},
                                                           {"Total", "$1,234.50"},
                                                           {"Note", "Ring twice"}});
    testing::addOrderLine(database, zed, "A100 ", 2, 25);
    testing::addOrderLine(database, zed, "B7", 1, 4.12);
    database.insertRow("Orders", {{"CustomerID", "amy"}, {"Total", 3.5}, {"SalesTax", "n/a"}});
    database.insertRow("Orders", {{"CustomerID", "=HYPERLINK(\"http://x.example\")"},
                                  {"ShipName", "@SUM(A1)"},
                                  {"BillName", "-2+3"}});
  }
  const CommandRun csv = listOrders(app.path(), true);
  ASSERT_EQ(csv.code, 0) << csv.err;
  const std::vector<std::string> lines = linesOf(csv.out);
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(lines[0].rfind("OrderID,CustomerID,OrderDate,", 0), 0u);
  EXPECT_NE(lines[0].find(",CCExp,ShipAddress2,BillAddress2,Note,CardType,Flags,ProductID,"
                          "Quantity,Price,LineTotal,PriceCheck\r"),
            std::string::npos);
  // By OrderID, values trimmed, money as plain numbers.
  EXPECT_EQ(lines[1].rfind("1,\"zed, \"\"z\"\"\",,,,,,,,,3.00,", 0), 0u) << lines[1];
  EXPECT_NE(lines[1].find(",1234.50,,************1111,,,,Ring twice,,,A100,2,25,50,not checked\r"),
            std::string::npos)
      << lines[1];
  EXPECT_EQ(lines[2].substr(lines[2].size() - 28), ",B7,1,4.12,4.12,not checked\r");
  EXPECT_EQ(lines[3].rfind("2,amy,", 0), 0u);
  EXPECT_NE(lines[3].find(",n/a,3.5,"), std::string::npos);
  // An order without lines is one row as wide as the header.
  EXPECT_EQ(std::count(lines[3].begin(), lines[3].end(), ','),
            std::count(lines[0].begin(), lines[0].end(), ','));
  // Cells a spreadsheet would evaluate stay text.
  EXPECT_EQ(lines[4].rfind("3,\"'=HYPERLINK(\"\"http://x.example\"\")\",,'@SUM(A1),", 0), 0u);
  EXPECT_NE(lines[4].find(",'-2+3,"), std::string::npos);

  const CommandRun full = listOrders(app.path(), true, true);
  EXPECT_NE(full.out.find(",4111 1111 1111 1111,12/29,,,Ring twice,,,A100,2,25,50,not checked\r\n"),
            std::string::npos);

  const CommandRun text = listOrders(app.path(), false);
  ASSERT_EQ(text.code, 0);
  EXPECT_EQ(text.out.rfind("Order 1\n  CustomerID: zed, \"z\"\n", 0), 0u);
  EXPECT_NE(text.out.find("  ShippingCost: $ 3.00\n"), std::string::npos);
  EXPECT_NE(text.out.find("  CCNumber: ************1111\n  ShipAddress2: \n"), std::string::npos);
  EXPECT_NE(text.out.find("  Flags: \n  PriceCheck: not checked\n  Status: new\n  Lines: 2\n    A100 | 2 | 25 | 50\n    B7 | 1 | 4.12 | "
                          "4.12\nOrder 2\n"),
            std::string::npos)
      << text.out;
  EXPECT_NE(text.out.find("  Status: new\n  Lines: 0\nOrder 3\n"), std::string::npos);
  EXPECT_EQ(text.out.find("CCExp"), std::string::npos);

  // A mistyped folder (made by the command line) is neither kept nor given a database.
  std::filesystem::create_directory(app.file("TYPO"));
  EXPECT_EQ(listOrders(app.file("TYPO"), false).code, kOrdersCommandFailed);
  EXPECT_FALSE(std::filesystem::exists(app.file("TYPO")));
}

// Each order shows its verdict and status; --status lists only the orders
// that have it, and an unknown status is refused before anything is read.
TEST(OrdersCommandTest, ShowsVerdictAndStatusAndFiltersByStatus) {
  TempFolder app;
  {
    testing::TestDatabase database(app.file(kProgramDatabaseFile));
    const std::int64_t checked = database.insertRow("Orders", {{"CustomerID", "amy"}});
    testing::addOrderLine(database, checked, "S100", 1, 0.01);
    database.insertRow("Orders", {{"CustomerID", "bob"}});
    createOrderCheckTables(database);
    OrderChecker::keep(database, checked, {"mismatch: S100 price 0.01, catalogue 49.95", "", "", ""});
    OrderWorkflow workflow(database);
    ASSERT_TRUE(workflow.change({checked, OrderStatus::Confirmed}, "2026-01-02 10:00:00"));
    ASSERT_TRUE(workflow.change({checked, OrderStatus::Paid}, "2026-01-02 11:00:00"));
  }
  const auto run = [&app](bool csv, const std::string& status) {
    return listOrders(app.path(), csv, false, status);
  };
  const CommandRun text = run(false, "");
  EXPECT_NE(text.out.find("  PriceCheck: mismatch: S100 price 0.01, catalogue 49.95\n  Status: "
                          "paid\n  Lines: 1\n"),
            std::string::npos)
      << text.out;
  EXPECT_NE(text.out.find("  PriceCheck: not checked\n  Status: new\n  Lines: 0\n"),
            std::string::npos);

  const std::vector<std::string> paid = linesOf(run(true, "paid").out);
  ASSERT_EQ(paid.size(), 2u);
  EXPECT_EQ(paid[1].rfind("1,amy,", 0), 0u);
  const std::string lineAndVerdict =
      ",S100,1,0.01,0.01,\"mismatch: S100 price 0.01, catalogue 49.95\"\r";
  EXPECT_EQ(paid[1].substr(paid[1].size() - lineAndVerdict.size()), lineAndVerdict);
  EXPECT_EQ(run(false, "new").out.rfind("Order 2\n", 0), 0u);
  EXPECT_EQ(run(false, "shipped").out, "No orders.\n");

  const CommandRun unknown = run(false, "sent");
  EXPECT_EQ(unknown.code, kOrdersCommandFailed);
  EXPECT_EQ(unknown.out, "");
  EXPECT_EQ(unknown.err, "vendaro orders: unknown status \"sent\"; use " + statusNames() + "\n");
}

// Listing only reads: an empty file stays empty.
TEST(OrdersCommandTest, AnEmptyDatabaseListsNoOrdersAndIsNotWritten) {
  TempFolder app;
  app.write(kProgramDatabaseFile, "");
  EXPECT_EQ(listOrders(app.path(), false).out, "No orders.\n");
  EXPECT_EQ(listOrders(app.path(), true).out.rfind("OrderID,CustomerID,", 0), 0u);
  EXPECT_EQ(std::filesystem::file_size(app.file(kProgramDatabaseFile)), 0u);
}

// Every command over the orders ends a database it cannot use with one line
// that says what it was doing, and the failure code; nothing escapes.
TEST(OrdersCommandTest, EveryOrderCommandReportsADamagedDatabaseInOneLine) {
  TempFolder app;
  app.write(kProgramDatabaseFile, std::string(4096, 'x'));
  struct NoPrinter : DocumentPrinter {
    void print(const PrintedDocument&, const std::filesystem::path&) override {}
  } printer;
  MerchantSettings merchant;
  merchant.name = "Shop";
  OrderDocumentOptions document;
  document.appFolder = app.path();
  document.orderId = "1";
  OrderCommandOptions order;
  order.appFolder = app.path();
  order.orderId = "1";
  OrderCommandOptions change = order;
  change.status = "paid";
  SalesCommandOptions sales;
  sales.appFolder = app.path();
  OutboxCommandOptions outbox;
  outbox.appFolder = app.path();
  InvoiceListOptions invoices;
  invoices.appFolder = app.path();
  const std::pair<const char*, std::function<int(std::ostream&, std::ostream&)>> commands[] = {
      {"vendaro orders: cannot read the orders: ",
       [&](auto& out, auto& err) {
         return runOrdersCommand({app.path(), false}, out, err);
       }},
      {"vendaro order: cannot use the order database: ",
       [&](auto& out, auto& err) { return runOrderCommand(order, out, err); }},
      {"vendaro order: cannot use the order database: ",
       [&](auto& out, auto& err) { return runOrderCommand(change, out, err); }},
      {"vendaro stock: ",
       [&](auto& out, auto& err) { return runStockCommand(app.path(), std::nullopt, out, err); }},
      {"vendaro sales: cannot read the order database: ",
       [&](auto& out, auto& err) { return runSalesCommand(sales, out, err); }},
      {"vendaro outbox: cannot use the order database: ",
       [&](auto& out, auto& err) { return runOutboxCommand(outbox, out, err); }},
      {"vendaro check-orders: cannot check the orders: ",
       [&](auto& out, auto& err) { return runCheckOrdersCommand(app.path(), out, err); }},
      {"vendaro invoices: cannot read the order database: ",
       [&](auto& out, auto& err) { return runInvoicesCommand(invoices, out, err); }},
      {"vendaro invoice: cannot use the order database: ",
       [&](auto& out, auto& err) {
         return runOrderDocumentCommand(OrderDocumentKind::Invoice, document, merchant, printer,
                                        out, err);
       }},
  };
  for (const auto& [lead, run] : commands) {
    const CommandRun result = testing::runCommand(run);
    EXPECT_EQ(result.code, kOrdersCommandFailed) << lead;
    EXPECT_EQ(result.out, "") << lead;
    EXPECT_EQ(result.err.rfind(std::string(lead) + "Couldn't open the database file", 0), 0u)
        << result.err;
    EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
  }
}

// An older database gains the new columns and the index on first use, keeps
// its rows, and is made private to the user.
TEST(OrdersCommandTest, AnOlderDatabaseGainsTheNewColumnsAndBecomesPrivate) {
  TempFolder app;
  const std::filesystem::path file = app.file(kProgramDatabaseFile);
  {
    SqliteDatabase old(file);
    old.execute("CREATE TABLE [Orders] (OrderID INTEGER PRIMARY KEY AUTOINCREMENT, CustomerID "
                "TEXT, CCNumber TEXT, CCExp TEXT)");
    old.execute("CREATE TABLE [Order Details] (OrderID INTEGER, ProductID TEXT)");
    old.execute("CREATE TABLE [ImportedMessages] (mailbox TEXT, uid TEXT)");
    old.execute("INSERT INTO [Orders] (CustomerID) VALUES ('amy')");
  }
  std::filesystem::permissions(file, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write | std::filesystem::perms::group_read | std::filesystem::perms::others_read);
  SqliteDatabase database(file);
  createOrderTables(database);
  EXPECT_EQ(database.select("select * from [Orders]").columns,
            (std::vector<std::string>{"OrderID", "CustomerID", "CCNumber", "CCExp", "ShipAddress2",
                                      "BillAddress2", "Note", "CardType", "Flags"}));
  EXPECT_EQ(testing::rowsOf(database, "select CustomerID, Flags from Orders"),
            (std::vector<std::vector<DbValue>>{{"amy", DbValue()}}));
  EXPECT_EQ(testing::rowsOf(database, "select count(*) from sqlite_master where type = 'index' "
                                      "and tbl_name = 'Order Details'"),
            (std::vector<std::vector<DbValue>>{{1}}));
  EXPECT_EQ(std::filesystem::status(file).permissions() & std::filesystem::perms::all,
            std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
}

}  // namespace
}  // namespace vendaro
