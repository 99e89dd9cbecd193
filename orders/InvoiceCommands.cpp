#include "orders/InvoiceCommands.h"

#include <charconv>
#include <optional>

#include "common/CsvText.h"
#include "common/Dates.h"
#include "orders/InvoiceBook.h"
#include "orders/OrderCommands.h"
#include "orders/OrderDocuments.h"
#include "orders/OrderNumbers.h"
#include "orders/OrderSheet.h"
#include "orders/OrderTables.h"
#include "orders/OrderWorkflow.h"
#include "platform/sqlite/SqliteDatabase.h"

namespace vendaro {
namespace {

const char* commandName(OrderDocumentKind kind) {
  switch (kind) {
    case OrderDocumentKind::Invoice:
      return "invoice";
    case OrderDocumentKind::PackingSlip:
      return "packing-slip";
    case OrderDocumentKind::CreditNote:
      return "credit-note";
  }
  return "";
}

std::optional<std::int64_t> orderNumber(const std::string& text) {
  std::int64_t number = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  if (error != std::errc() || end != text.data() + text.size() || number <= 0) return std::nullopt;
  return number;
}

// A document number as part of a file name: letters, digits, ".", "_" and
// "-" stay, anything else becomes "-".
std::string fileNamePart(const std::string& number) {
  std::string part = number;
  for (char& c : part) {
    const bool kept = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                      c == '.' || c == '_' || c == '-';
    if (!kept) c = '-';
  }
  return part;
}

NumberedDocument numbered(const OrderSheet& order, PrintedDocument document, int sign) {
  return {order.customer, sign * (order.productsCents() + order.shippingCents),
          sign * order.taxCents, sign * order.totalCents(), std::move(document)};
}

// One run of a document command over the open database.
class DocumentRun {
 public:
  DocumentRun(OrderDocumentKind kind, const OrderDocumentOptions& options,
              const MerchantSettings& merchant, Database& database, std::ostream& err)
      : kind_(kind),
        options_(options),
        merchant_(merchant),
        database_(database),
        err_(err),
        prefix_(std::string("vendaro ") + commandName(kind) + ": ") {}

  // The pages to print and the file name they get; nothing after a refusal.
  std::optional<std::pair<PrintedDocument, std::string>> prepare(const OrderSheet& order) {
    OrderWorkflow workflow(database_);
    const OrderStatus status = workflow.status(order.orderId);
    InvoiceBook book(database_);
    const std::string id = std::to_string(order.orderId);
    switch (kind_) {
      case OrderDocumentKind::PackingSlip:
        if (status == OrderStatus::Cancelled) return refuse("Order " + id + " is cancelled.");
        return std::make_pair(packingSlipDocument(order, merchant_, options_.now),
                              "packing-slip-" + id + ".pdf");
      case OrderDocumentKind::Invoice: {
        if (!book.find(order.orderId, IssuedKind::Invoice) && status == OrderStatus::Cancelled) {
          return refuse("Order " + id + " is cancelled; a cancelled order gets no invoice.");
        }
        issued_ = book.issue(
            order.orderId, IssuedKind::Invoice, merchant_.invoiceNumber, options_.now, "",
            [&](const std::string& number) {
              return numbered(
                  order,
                  invoiceDocument(order, merchant_, {number, options_.now, "", options_.taxRates}),
                  1);
            });
        return std::make_pair(issued_->document,
                              "invoice-" + fileNamePart(issued_->number) + ".pdf");
      }
      case OrderDocumentKind::CreditNote: {
        const std::optional<IssuedDocument> invoice = book.find(order.orderId, IssuedKind::Invoice);
        if (!invoice) return refuse("Order " + id + " has no invoice to credit.");
        const bool recorded = book.find(order.orderId, IssuedKind::CreditNote).has_value();
        if (!recorded && status != OrderStatus::Cancelled && !options_.refunded) {
          return refuse("Order " + id + " is " + std::string(statusName(status)) +
                        "; a credit note is for a cancelled order, or with --refunded for one "
                        "whose payment was given back.");
        }
        issued_ = book.issue(
            order.orderId, IssuedKind::CreditNote, merchant_.invoiceNumber, options_.now,
            invoice->number, [&](const std::string& number) {
              return numbered(
                  order,
                  creditNoteDocument(order, merchant_,
                                     {number, options_.now, invoice->number, options_.taxRates}),
                  -1);
            });
        return std::make_pair(issued_->document,
                              "credit-note-" + fileNamePart(issued_->number) + ".pdf");
      }
    }
    return std::nullopt;
  }

  // "Invoice 2026-00001 of order 7" or "Packing slip of order 7".
  std::string described(std::int64_t orderId) const {
    if (!issued_) return "Packing slip of order " + std::to_string(orderId);
    return std::string(issued_->kind == IssuedKind::Invoice ? "Invoice " : "Credit note ") +
           issued_->number + " of order " + std::to_string(orderId);
  }
  bool recorded() const { return issued_.has_value(); }
  const std::string& prefix() const { return prefix_; }

 private:
  std::nullopt_t refuse(const std::string& message) {
    err_ << prefix_ << message << "\n";
    return std::nullopt;
  }

  OrderDocumentKind kind_;
  const OrderDocumentOptions& options_;
  const MerchantSettings& merchant_;
  Database& database_;
  std::ostream& err_;
  std::string prefix_;
  std::optional<IssuedDocument> issued_;
};

// A link or a device at the output name is left alone.
bool isWritableTarget(const std::filesystem::path& file) {
  std::error_code error;
  const auto status = std::filesystem::symlink_status(file, error);
  return !std::filesystem::exists(status) || std::filesystem::is_regular_file(status);
}

void printIssued(const std::vector<IssuedDocument>& documents, bool csv, std::ostream& out) {
  if (csv) {
    out << csvRow(
        {"Number", "Date", "Customer", "Net", "Tax", "Gross", "Kind", "Order", "Invoice"});
  }
  for (const IssuedDocument& issued : documents) {
    const std::vector<std::string> cells = {issued.number,
                                            issued.issued.substr(0, 10),
                                            issued.customer,
                                            moneyText(issued.netCents),
                                            moneyText(issued.taxCents),
                                            moneyText(issued.grossCents),
                                            issuedKindName(issued.kind),
                                            std::to_string(issued.orderId),
                                            issued.refersTo};
    if (csv) {
      out << csvRow(cells);
      continue;
    }
    out << cells[0] << "  " << cells[1] << "  " << cells[6] << "  order " << cells[7] << "  "
        << cells[2] << "  net " << cells[3] << "  tax " << cells[4] << "  gross " << cells[5];
    if (!issued.refersTo.empty()) out << "  (cancels " << issued.refersTo << ")";
    out << "\n";
  }
}

}  // namespace

std::optional<WrittenDocument> writeOrderDocument(OrderDocumentKind kind,
                                                  const OrderDocumentOptions& options,
                                                  const MerchantSettings& merchant,
                                                  DocumentPrinter& printer, std::ostream& err) {
  const std::string prefix = std::string("vendaro ") + commandName(kind) + ": ";
  if (merchant.name.empty()) {
    err << prefix << "[merchant] name is not set in vendaro.toml; the documents name the seller\n";
    return std::nullopt;
  }
  const std::optional<std::int64_t> orderId = orderNumber(options.orderId);
  if (!orderId) {
    err << prefix << "\"" << options.orderId << "\" is not an order number\n";
    return std::nullopt;
  }
  const std::filesystem::path file = options.appFolder / kProgramDatabaseFile;
  if (!std::filesystem::is_regular_file(file)) {
    err << prefix << "there is no order database " << file.string() << "\n";
    return std::nullopt;
  }
  try {
    SqliteDatabase database(file);
    createOrderTables(database);
    const std::optional<OrderSheet> order = readOrderSheet(database, *orderId);
    if (!order) {
      err << prefix << "there is no order " << *orderId << "\n";
      return std::nullopt;
    }
    if (!options.output.empty() && !isWritableTarget(options.output)) {
      err << prefix << options.output.string() << " is not a regular file; nothing was written\n";
      return std::nullopt;
    }
    DocumentRun run(kind, options, merchant, database, err);
    const auto prepared = run.prepare(*order);
    if (!prepared) return std::nullopt;
    const std::filesystem::path target =
        options.output.empty() ? options.workFolder / prepared->second : options.output;
    try {
      if (!isWritableTarget(target)) throw PrintError(target.string() + " is not a regular file");
      printer.print(prepared->first, target);
    } catch (const PrintError& error) {
      err << prefix << run.described(*orderId) << (run.recorded() ? " is recorded, but " : ": ")
          << "the PDF was not written: " << error.what()
          << (run.recorded() ? "\n  (running the command again writes the same document)\n" : "\n");
      return std::nullopt;
    }
    return WrittenDocument{run.described(*orderId), target};
  } catch (const DataError& error) {
    err << prefix << "cannot use the order database: " << error.what() << "\n";
    return std::nullopt;
  } catch (const DocumentFormatError& error) {
    err << prefix << "the recorded document is damaged: " << error.what() << "\n";
    return std::nullopt;
  }
}

int runOrderDocumentCommand(OrderDocumentKind kind, const OrderDocumentOptions& options,
                            const MerchantSettings& merchant, DocumentPrinter& printer,
                            std::ostream& out, std::ostream& err) {
  const std::optional<WrittenDocument> written =
      writeOrderDocument(kind, options, merchant, printer, err);
  if (!written) return kOrdersCommandFailed;
  out << written->described << ": " << written->file.string() << "\n";
  return 0;
}

int runInvoicesCommand(const InvoiceListOptions& options, std::ostream& out, std::ostream& err) {
  constexpr const char* kPrefix = "vendaro invoices: ";
  for (const std::string* day : {&options.from, &options.to}) {
    if (!day->empty() && !isDayText(*day)) {
      err << kPrefix << "\"" << *day << "\" is not a date (YYYY-MM-DD)\n";
      return kOrdersCommandFailed;
    }
  }
  const std::filesystem::path file = options.appFolder / kProgramDatabaseFile;
  if (!std::filesystem::is_regular_file(file)) {
    err << kPrefix << "there is no order database " << file.string() << "\n";
    return kOrdersCommandFailed;
  }
  try {
    SqliteDatabase database(file);
    // A listing writes nothing: a database without invoices lists none.
    const bool recorded =
        !database
             .query("SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = 'Invoices'", {})
             .rows.empty();
    printIssued(recorded ? InvoiceBook(database).issuedBetween(options.from, options.to)
                         : std::vector<IssuedDocument>{},
                options.csv, out);
    return 0;
  } catch (const DataError& error) {
    err << kPrefix << "cannot read the order database: " << error.what() << "\n";
    return kOrdersCommandFailed;
  }
}

}  // namespace vendaro
