#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <set>
#include <sstream>

#include "common/MerchantSettings.h"
#include "orders/InvoiceBook.h"
#include "orders/InvoiceCommands.h"
#include "orders/OrderCommands.h"
#include "orders/OrderDocuments.h"
#include "orders/OrderViewer.h"
#include "orders/OrderWorkflow.h"
#include "orders/ViewerDocuments.h"
#include "platform/ProgramDocumentPrinter.h"
#include "tests/e2e/ProgramRun.h"
#include "tests/orders/OrderIntakeFixture.h"
#include "tests/support/RequiredTool.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TestDatabase.h"

namespace vendaro {
namespace {

using testing::TempFolder;

// What a program prints on standard output.
std::string outputOf(const std::vector<std::string>& command) {
  static const TempFolder scratch;
  return testing::runProgram(command, {}, scratch.path()).out;
}

bool hasPdfTools() {
  return testing::programInPath("pdftotext") && testing::programInPath("pdfinfo");
}

// The text of a PDF with its layout, blanks squeezed to one.
std::string pdfText(const std::filesystem::path& file) {
  std::string text = outputOf({"pdftotext", "-layout", file.string(), "-"});
  text.erase(
      std::unique(text.begin(), text.end(), [](char a, char b) { return a == ' ' && b == ' '; }),
      text.end());
  return text;
}

class FailingPrinter : public DocumentPrinter {
 public:
  void print(const PrintedDocument&, const std::filesystem::path&) override {
    throw PrintError("disk full");
  }
};

MerchantSettings merchantFrom(const std::string& toml) {
  return MerchantSettings::read(SettingsFile::parse(toml, "vendaro.toml"));
}

TEST(MerchantSettingsTest, InvoiceKeysAreReadAndBadValuesNameTheirKey) {
  const MerchantSettings merchant = merchantFrom(
      "[merchant]\nname = \"Kestrel\"\ntax_id = \"DE123\"\npayment_note = \"Pay\\nwithin 14 "
      "days\"\n"
      "invoice_number = \"INV/{year}/{n}\"\npaper = \"Letter\"\n");
  EXPECT_EQ(merchant.taxId, "DE123");
  EXPECT_EQ(merchant.paymentNote, "Pay\nwithin 14 days");
  EXPECT_EQ(merchant.paper, PaperSize::Letter);
  EXPECT_EQ(invoiceNumberText(merchant.invoiceNumber, 2026, 7), "INV/2026/7");
  EXPECT_EQ(invoiceNumberText(merchantFrom("").invoiceNumber, 2026, 17), "2026-00017");
  EXPECT_EQ(merchantFrom("").paper, PaperSize::A4);

  const std::pair<const char*, const char*> refused[] = {
      {"paper = \"letter\"", "vendaro.toml:2: [merchant] paper must be one of \"A4\" \"Letter\""},
      {"invoice_number = \"{n}\"",
       "vendaro.toml:2: [merchant] invoice_number must hold {year} and {n}"},
      {"invoice_number = \"{year}-{count}\"",
       "vendaro.toml:2: [merchant] invoice_number has an unknown placeholder {count}"},
  };
  for (const auto& [line, message] : refused) {
    try {
      merchantFrom(std::string("[merchant]\n") + line + "\n");
      ADD_FAILURE() << line;
    } catch (const SettingsError& error) {
      EXPECT_EQ(std::string(error.what()).rfind(message, 0), 0u) << error.what();
    }
  }
}

TEST(OrderDocumentsTest, TaxRateIsTheShortestThatGivesTheTax) {
  EXPECT_EQ(taxRateText(5000, 413), "8.26%");
  EXPECT_EQ(taxRateText(5000, 413, {0.07, 0.0825}), "8.25%");
  EXPECT_EQ(taxRateText(10000, 700), "7%");
  EXPECT_EQ(taxRateText(1999, 125), "6.25%");
  EXPECT_EQ(taxRateText(5000, 0), "0%");
  EXPECT_EQ(taxRateText(0, 0), "");
  EXPECT_EQ(documentMoney(-2240, "$"), "-$22.40");
  EXPECT_EQ(documentMoney(2240, "EUR"), "EUR 22.40");
}

TEST(OrderDocumentsTest, PrintedDocumentTextKeepsEveryField) {
  PrintedDocument document;
  document.paper = PaperSize::Letter;
  document.title = "Invoice";
  document.sender = {"Kestrel\tTools", "back\\slash"};
  document.facts = {{"Invoice number", "2026-00001"}};
  document.addresses = {{"Bill to", {"Ann", "Line\nbreak"}}, {"Ship to", {}}};
  document.columns = {{"Item", PrintedDocument::Align::Left},
                      {"Qty", PrintedDocument::Align::Right}};
  document.rows = {{"A100", "2"}, {"", ""}};
  document.totals = {{"Total", "$1.00"}};
  document.notes = {"Pay\r\nsoon"};
  EXPECT_EQ(readPrintedDocument(printedDocumentText(document)), document);
  EXPECT_THROW(readPrintedDocument("title\tX\nbogus\n"), DocumentFormatError);
}

class InvoiceTest : public ::testing::Test {
 protected:
  InvoiceTest() : printer(VENDARO_PDF_PROGRAM) {
    testing::TestDatabase database(app.file(kProgramDatabaseFile));
    addOrder(database, "Ann Smith", "1 Elm St", "Austin");
    addOrder(database, "=HYPERLINK(\"x\")", "2 Oak Rd", "Dallas");
    addOrder(database, "Cy", "3 Ash Ln", "Waco");
    merchant = merchantFrom(
        "[merchant]\nname = \"Kestrel Tools\"\naddress = [\"9 Main St\", \"Springfield\"]\n"
        "tax_id = \"US-99\"\npayment_note = \"Pay within 14 days.\"\n");
  }

  void SetUp() override {
    VENDARO_REQUIRE_TOOL(hasPdfTools(), "pdftotext and pdfinfo (poppler-utils) are needed");
  }

  static void addOrder(Database& database, const char* name, const char* address,
                       const char* city) {
    const std::int64_t id = database.insertRow("Orders", {{"CustomerID", "shopper@example.com"},
                                                          {"OrderDate", "2026-12-01"},
                                                          {"BillName", name},
                                                          {"BillAddress", address},
                                                          {"BillCity", city},
                                                          {"BillState", "TX"},
                                                          {"BillPostalCode", "73301"},
                                                          {"ShipName", "Bo Smith"},
                                                          {"ShipAddress", "5 Pine Ave"},
                                                          {"ShipCity", "Houston"},
                                                          {"ShippingMethodID", "Saver"},
                                                          {"ShippingCost", "$ 7.75"},
                                                          {"SalesTax", "$ 4.13"},
                                                          {"Total", " 61.88"},
                                                          {"EMail1", "ann@example.com"}});
    testing::addOrderLine(database, id, "A100", 2, 25);
  }

  int run(OrderDocumentKind kind, const std::string& id, const std::string& output = {},
          DocumentPrinter* through = nullptr, bool refunded = false) {
    out.str("");
    err.str("");
    OrderDocumentOptions options;
    options.appFolder = app.path();
    options.orderId = id;
    options.output = output.empty() ? std::filesystem::path() : app.file(output);
    options.workFolder = app.path();
    options.refunded = refunded;
    options.now = now;
    options.taxRates = {0.0625, 0.0825};
    return runOrderDocumentCommand(kind, options, merchant, through ? *through : printer, out, err);
  }

  std::string listing(const std::string& from, const std::string& to) {
    std::ostringstream list;
    EXPECT_EQ(runInvoicesCommand({app.path(), from, to, true}, list, err), 0) << err.str();
    return list.str();
  }

  TempFolder app;
  ProgramDocumentPrinter printer;
  MerchantSettings merchant;
  std::string now = "2026-12-07T10:00:00Z";
  std::ostringstream out;
  std::ostringstream err;
};

TEST_F(InvoiceTest, InvoiceShowsTheOrderAndIsWrittenAgainByteForByte) {
  ASSERT_EQ(run(OrderDocumentKind::Invoice, "1"), 0) << err.str();
  EXPECT_EQ(out.str(),
            "Invoice 2026-00001 of order 1: " + app.file("invoice-2026-00001.pdf").string() + "\n");
  const std::string text = pdfText(app.file("invoice-2026-00001.pdf"));
  for (const char* expected :
       {"Invoice Kestrel Tools\n", "9 Main St\n", "Springfield\n", "Tax ID: US-99\n",
        "Invoice number 2026-00001", "Invoice date 2026-12-07\n", "Order 1\n", "Bill to Ship to\n",
        "Ann Smith Bo Smith\n", "1 Elm St 5 Pine Ave\n", "Austin, TX 73301 Houston\n",
        "ann@example.com\n", " A100 2 $25.00 $50.00\n", "Products $50.00\n",
        "Sales tax (8.25%) $4.13\n", "Shipping (Saver) $7.75\n", "Total $61.88\n",
        "Pay within 14 days.\n"}) {
    EXPECT_NE(text.find(expected), std::string::npos) << expected << "\nin:\n" << text;
  }
  EXPECT_NE(outputOf({"pdffonts", app.file("invoice-2026-00001.pdf").string()}).find(" yes "),
            std::string::npos);

  // Later, with other settings: the same number, the same bytes; the status stays new.
  now = "2026-12-20T10:00:00Z";
  merchant.paymentNote = "changed";
  ASSERT_EQ(run(OrderDocumentKind::Invoice, "1", "again.pdf"), 0) << err.str();
  EXPECT_EQ(app.read("again.pdf"), app.read("invoice-2026-00001.pdf"));
  SqliteDatabase database(app.file(kProgramDatabaseFile));
  EXPECT_EQ(OrderWorkflow(database).status(1), OrderStatus::New);
}

TEST_F(InvoiceTest, PackingSlipHasNoPricesAndLetterPaperIsLetter) {
  merchant.paper = PaperSize::Letter;
  ASSERT_EQ(run(OrderDocumentKind::PackingSlip, "2"), 0) << err.str();
  const std::filesystem::path slip = app.file("packing-slip-2.pdf");
  const std::string text = pdfText(slip);
  EXPECT_NE(text.find("Packing slip"), std::string::npos) << text;
  EXPECT_NE(text.find("Ship to Bill to\n"), std::string::npos) << text;
  EXPECT_NE(text.find(" A100 2\n"), std::string::npos) << text;
  EXPECT_EQ(text.find('$'), std::string::npos) << text;
  EXPECT_NE(outputOf({"pdfinfo", slip.string()}).find("612 x 792 pts (letter)"), std::string::npos);
}

TEST_F(InvoiceTest, CreditNotesFollowCancellationAndShareTheSequence) {
  EXPECT_EQ(run(OrderDocumentKind::CreditNote, "1"), kOrdersCommandFailed);
  EXPECT_EQ(err.str(), "vendaro credit-note: Order 1 has no invoice to credit.\n");
  ASSERT_EQ(run(OrderDocumentKind::Invoice, "1"), 0) << err.str();
  EXPECT_EQ(run(OrderDocumentKind::CreditNote, "1"), kOrdersCommandFailed);
  EXPECT_EQ(err.str(),
            "vendaro credit-note: Order 1 is new; a credit note is for a cancelled "
            "order, or with --refunded for one whose payment was given back.\n");
  {
    SqliteDatabase database(app.file(kProgramDatabaseFile));
    ASSERT_TRUE(OrderWorkflow(database).change({1, OrderStatus::Cancelled, "", "", ""}, now));
    ASSERT_TRUE(OrderWorkflow(database).change({3, OrderStatus::Cancelled, "", "", ""}, now));
  }
  EXPECT_EQ(run(OrderDocumentKind::Invoice, "3"), kOrdersCommandFailed);
  EXPECT_EQ(err.str(),
            "vendaro invoice: Order 3 is cancelled; a cancelled order gets no invoice.\n");
  ASSERT_EQ(run(OrderDocumentKind::CreditNote, "1"), 0) << err.str();
  const std::string text = pdfText(app.file("credit-note-2026-00002.pdf"));
  for (const char* expected :
       {"Credit note number 2026-00002", "Invoice 2026-00001\n", " A100 2 $25.00 -$50.00\n",
        "Total credited -$61.88\n", "This credit note cancels invoice 2026-00001."}) {
    EXPECT_NE(text.find(expected), std::string::npos) << expected << "\nin:\n" << text;
  }
  // A refund of an order that was not cancelled.
  ASSERT_EQ(run(OrderDocumentKind::Invoice, "2"), 0) << err.str();
  ASSERT_EQ(run(OrderDocumentKind::CreditNote, "2", "", nullptr, true), 0) << err.str();
  EXPECT_EQ(listing("2026-12-01", "2026-12-31"),
            "Number,Date,Customer,Net,Tax,Gross,Kind,Order,Invoice\r\n"
            "2026-00001,2026-12-07,Ann Smith,57.75,4.13,61.88,invoice,1,\r\n"
            "2026-00002,2026-12-07,Ann Smith,-57.75,-4.13,-61.88,credit note,1,2026-00001\r\n"
            "2026-00003,2026-12-07,\"'=HYPERLINK(\"\"x\"\")\",57.75,4.13,61.88,invoice,2,\r\n"
            "2026-00004,2026-12-07,\"'=HYPERLINK(\"\"x\"\")\",-57.75,-4.13,-61.88,credit note,2,"
            "2026-00003\r\n");
  EXPECT_EQ(listing("2026-12-08", ""), "Number,Date,Customer,Net,Tax,Gross,Kind,Order,Invoice\r\n");
  // A month that does not exist is no date.
  err.str("");
  std::ostringstream none;
  EXPECT_EQ(runInvoicesCommand({app.path(), "2026-13-01", "", true}, none, err),
            kOrdersCommandFailed);
  EXPECT_EQ(err.str(), "vendaro invoices: \"2026-13-01\" is not a date (YYYY-MM-DD)\n");
}

TEST_F(InvoiceTest, FailedPrintingKeepsTheNumberAndALaterRunWritesTheSameBytes) {
  FailingPrinter failing;
  EXPECT_EQ(run(OrderDocumentKind::Invoice, "1", "", &failing), kOrdersCommandFailed);
  EXPECT_EQ(err.str(),
            "vendaro invoice: Invoice 2026-00001 of order 1 is recorded, but the PDF "
            "was not written: disk full\n  (running the command again writes the same "
            "document)\n");
  EXPECT_EQ(run(OrderDocumentKind::Invoice, "1", "missing/folder/x.pdf"), kOrdersCommandFailed);
  ASSERT_EQ(run(OrderDocumentKind::Invoice, "1", "first.pdf"), 0) << err.str();
  ASSERT_EQ(run(OrderDocumentKind::Invoice, "1", "second.pdf"), 0) << err.str();
  EXPECT_EQ(app.read("first.pdf"), app.read("second.pdf"));
  ASSERT_EQ(run(OrderDocumentKind::Invoice, "2"), 0) << err.str();
  EXPECT_EQ(out.str().rfind("Invoice 2026-00002 of order 2", 0), 0u) << out.str();

  std::filesystem::create_symlink("/dev/null", app.file("link.pdf"));
  EXPECT_EQ(run(OrderDocumentKind::Invoice, "1", "link.pdf"), kOrdersCommandFailed);
  merchant.name.clear();
  EXPECT_EQ(run(OrderDocumentKind::Invoice, "1"), kOrdersCommandFailed);
  EXPECT_EQ(err.str(),
            "vendaro invoice: [merchant] name is not set in vendaro.toml; the "
            "documents name the seller\n");
}

// Two programs numbering at once: each takes the write lock first, so the
// numbers are distinct and none is left out.
TEST_F(InvoiceTest, TwoProcessesGetDistinctConsecutiveNumbers) {
  constexpr int kPerProcess = 8;
  {
    testing::TestDatabase database(app.file(kProgramDatabaseFile));
    for (int i = 0; i < 2 * kPerProcess; ++i) addOrder(database, "Dee", "4 Fir St", "Tyler");
  }
  pid_t children[2] = {};
  for (int child = 0; child < 2; ++child) {
    children[child] = ::fork();
    if (children[child] != 0) continue;
    // The child leaves without returning to the test runner.
    SqliteDatabase database(app.file(kProgramDatabaseFile));
    Outcome<InvoiceBook> book = InvoiceBook::open(database);
    for (int i = 0; book && i < kPerProcess; ++i) {
      const Outcome<IssuedDocument> issued =
          book->issue(4 + child * kPerProcess + i, IssuedKind::Invoice, "{year}-{n}", now, "",
                      [](const std::string&) { return NumberedDocument{}; });
      if (!issued) {
        std::fprintf(stderr, "child %d: %s\n", child, issued.error().message.c_str());
        ::_exit(1);
      }
    }
    ::_exit(book ? 0 : 1);
  }
  for (const pid_t child : children) {
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }
  SqliteDatabase database(app.file(kProgramDatabaseFile));
  std::set<std::string> numbers;
  const Outcome<std::vector<IssuedDocument>> issued = InvoiceBook(database).issuedBetween("", "");
  ASSERT_TRUE(issued);
  for (const IssuedDocument& document : *issued) {
    numbers.insert(document.number);
  }
  EXPECT_EQ(numbers.size(), std::size_t{2 * kPerProcess});
  for (int n = 1; n <= 2 * kPerProcess; ++n)
    EXPECT_EQ(numbers.count("2026-" + std::to_string(n)), 1u);
}

class RecordingLauncher : public Launcher {
 public:
  bool start(const std::string& program, const std::vector<std::string>& arguments) override {
    started.push_back(program + " " + arguments.at(0));
    return true;
  }
  bool available(const std::string&) const override { return true; }
  std::vector<std::string> started;
};

// The order viewer's actions write through the same service as the commands
// and open what they wrote; a refusal is shown as the command's message.
TEST_F(InvoiceTest, ViewerActionsWriteOpenAndExplainWhatTheyCannotDo) {
  testing::TestDatabase database(app.file(kProgramDatabaseFile));
  testing::ScriptedDialogs dialogs;
  RecordingLauncher launcher;
  const auto printing = std::make_shared<ProgramDocumentPrinter>(VENDARO_PDF_PROGRAM);
  OrderViewerServices services;
  services.writeDocument = viewerDocumentWriter(app.path(), app.file("documents"), merchant, {},
                                                printing, [this] { return now; });
  services.launcher = &launcher;
  frmOrders viewer(database, dialogs, services);
  viewer.Form_Load();
  viewer.orderList.lstOrders_Click(2);  // order 1
  viewer.orderRecord.cmdInvoice_Click();
  const std::filesystem::path invoice = app.file("documents/invoice-2026-00001.pdf");
  EXPECT_TRUE(dialogs.messages.empty());
  EXPECT_EQ(launcher.started, (std::vector<std::string>{"xdg-open " + invoice.string()}));
  EXPECT_NE(pdfText(invoice).find("Invoice number 2026-00001"), std::string::npos);

  viewer.orderRecord.cmdCreditNote_Click();
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].text.find("Order 1 is new; a credit note is for a cancelled"), 0u)
      << dialogs.messages[0].text;

  OrderViewerServices unnamed = services;
  unnamed.writeDocument = viewerDocumentWriter(app.path(), app.file("documents"), {}, {}, printing,
                                               [this] { return now; });
  frmOrders nameless(database, dialogs, unnamed);
  nameless.Form_Load();
  nameless.orderRecord.cmdPackingSlip_Click();
  ASSERT_EQ(dialogs.messages.size(), 2u);
  EXPECT_EQ(dialogs.messages[1].text,
            "[merchant] name is not set in vendaro.toml; the documents name the seller");
  EXPECT_EQ(launcher.started.size(), 1u);
}

}  // namespace
}  // namespace vendaro
