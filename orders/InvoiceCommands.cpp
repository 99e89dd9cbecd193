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
#include "platform/DataFailure.h"
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
  // The pages to print and the file name they get.
  using Prepared = std::pair<PrintedDocument, std::string>;

  DocumentRun(OrderDocumentKind kind, const OrderDocumentOptions& options,
              const MerchantSettings& merchant, Database& database)
      : kind_(kind), options_(options), merchant_(merchant), database_(database) {}

  // Conflict with the refusal for a document the order cannot have.
  Outcome<Prepared> prepare(const OrderSheet& order) {
    const OrderStatus status = OrderWorkflow(database_).status(order.orderId);
    Outcome<InvoiceBook> book = InvoiceBook::open(database_);
    if (!book) return book.error();
    const std::string id = std::to_string(order.orderId);
    switch (kind_) {
      case OrderDocumentKind::PackingSlip:
        if (status == OrderStatus::Cancelled) return refused("Order " + id + " is cancelled.");
        return Prepared{packingSlipDocument(order, merchant_, options_.now),
                        "packing-slip-" + id + ".pdf"};
      case OrderDocumentKind::Invoice: {
        const Outcome<std::optional<IssuedDocument>> invoice =
            book->find(order.orderId, IssuedKind::Invoice);
        if (!invoice) return invoice.error();
        if (!*invoice && status == OrderStatus::Cancelled) {
          return refused("Order " + id + " is cancelled; a cancelled order gets no invoice.");
        }
        return issued(
            book->issue(
                order.orderId, IssuedKind::Invoice, merchant_.invoiceNumber, options_.now, "",
                [&](const std::string& number) {
                  return numbered(order,
                                  invoiceDocument(order, merchant_,
                                                  {number, options_.now, "", options_.taxRates}),
                                  1);
                }),
            "invoice-");
      }
      case OrderDocumentKind::CreditNote: {
        const Outcome<std::optional<IssuedDocument>> invoice =
            book->find(order.orderId, IssuedKind::Invoice);
        if (!invoice) return invoice.error();
        if (!*invoice) return refused("Order " + id + " has no invoice to credit.");
        const Outcome<std::optional<IssuedDocument>> credit =
            book->find(order.orderId, IssuedKind::CreditNote);
        if (!credit) return credit.error();
        if (!*credit && status != OrderStatus::Cancelled && !options_.refunded) {
          return refused("Order " + id + " is " + std::string(statusName(status)) +
                         "; a credit note is for a cancelled order, or with --refunded for one "
                         "whose payment was given back.");
        }
        const std::string invoiceNumber = (*invoice)->number;
        return issued(book->issue(order.orderId, IssuedKind::CreditNote, merchant_.invoiceNumber,
                                  options_.now, invoiceNumber,
                                  [&](const std::string& number) {
                                    return numbered(
                                        order,
                                        creditNoteDocument(order, merchant_,
                                                           {number, options_.now, invoiceNumber,
                                                            options_.taxRates}),
                                        -1);
                                  }),
                      "credit-note-");
      }
    }
    return refused("");
  }

  // "Invoice 2026-00001 of order 7" or "Packing slip of order 7".
  std::string described(std::int64_t orderId) const {
    if (!issued_) return "Packing slip of order " + std::to_string(orderId);
    return std::string(issued_->kind == IssuedKind::Invoice ? "Invoice " : "Credit note ") +
           issued_->number + " of order " + std::to_string(orderId);
  }
  bool recorded() const { return issued_.has_value(); }

 private:
  static Error refused(std::string message) {
    return failure(ErrorKind::Conflict, std::move(message));
  }

  Outcome<Prepared> issued(Outcome<IssuedDocument> document, const std::string& fileName) {
    if (!document) return document.error();
    issued_ = std::move(*document);
    return Prepared{issued_->document, fileName + fileNamePart(issued_->number) + ".pdf"};
  }

  OrderDocumentKind kind_;
  const OrderDocumentOptions& options_;
  const MerchantSettings& merchant_;
  Database& database_;
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

// The document of order `orderId` in the open database; DataError passes.
Outcome<WrittenDocument> writeDocumentOf(std::int64_t orderId, Database& database,
                                         OrderDocumentKind kind,
                                         const OrderDocumentOptions& options,
                                         const MerchantSettings& merchant,
                                         DocumentPrinter& printer) {
  createOrderTables(database);
  const std::optional<OrderSheet> order = readOrderSheet(database, orderId);
  if (!order) return failure(ErrorKind::NotFound, "there is no order " + std::to_string(orderId));
  if (!options.output.empty() && !isWritableTarget(options.output)) {
    return failure(ErrorKind::BadInput,
                   options.output.string() + " is not a regular file; nothing was written");
  }
  DocumentRun run(kind, options, merchant, database);
  const Outcome<DocumentRun::Prepared> prepared = run.prepare(*order);
  if (!prepared) return prepared.error();
  const std::filesystem::path target =
      options.output.empty() ? options.workFolder / prepared->second : options.output;
  try {
    if (!isWritableTarget(target)) throw PrintError(target.string() + " is not a regular file");
    printer.print(prepared->first, target);
  } catch (const PrintError& error) {
    return failure(
        ErrorKind::Io,
        run.described(orderId) + (run.recorded() ? " is recorded, but " : ": ") +
            "the PDF was not written: " + error.what() +
            (run.recorded() ? "\n  (running the command again writes the same document)" : ""));
  }
  return WrittenDocument{run.described(orderId), target};
}

}  // namespace

Outcome<WrittenDocument> writeOrderDocument(OrderDocumentKind kind,
                                            const OrderDocumentOptions& options,
                                            const MerchantSettings& merchant,
                                            DocumentPrinter& printer) {
  if (merchant.name.empty()) {
    return failure(ErrorKind::BadInput,
                   "[merchant] name is not set in vendaro.toml; the documents name the seller");
  }
  const std::optional<std::int64_t> orderId = orderNumber(options.orderId);
  if (!orderId) {
    return failure(ErrorKind::BadInput, "\"" + options.orderId + "\" is not an order number");
  }
  const std::filesystem::path file = options.appFolder / kProgramDatabaseFile;
  if (!std::filesystem::is_regular_file(file)) {
    return failure(ErrorKind::NotFound, "there is no order database " + file.string());
  }
  try {
    SqliteDatabase database(file);
    return writeDocumentOf(*orderId, database, kind, options, merchant, printer);
  } catch (const DataError& error) {
    return dataFailure(error, "cannot use the order database: ");
  }
}

int runOrderDocumentCommand(OrderDocumentKind kind, const OrderDocumentOptions& options,
                            const MerchantSettings& merchant, DocumentPrinter& printer,
                            std::ostream& out, std::ostream& err) {
  const Outcome<WrittenDocument> written = writeOrderDocument(kind, options, merchant, printer);
  if (!written) {
    return failOrderCommand(err, std::string("vendaro ") + commandName(kind) + ": ",
                            written.error());
  }
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
  SqliteDatabase database(file);
  // A listing writes nothing: a database without invoices lists none.
  const Outcome<std::vector<IssuedDocument>> issued =
      readIssuedDocuments(database, options.from, options.to);
  if (!issued) return failOrderCommand(err, kPrefix, issued.error());
  printIssued(*issued, options.csv, out);
  return 0;
}

}  // namespace vendaro
