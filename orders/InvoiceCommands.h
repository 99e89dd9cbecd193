#pragma once

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "common/MerchantSettings.h"
#include "platform/DocumentPrinter.h"
#include "platform/Outcome.h"

namespace vendaro {

enum class OrderDocumentKind { Invoice, PackingSlip, CreditNote };

// The options of `vendaro invoice ORDER`, `packing-slip ORDER` and
// `credit-note ORDER`.
struct OrderDocumentOptions {
  std::filesystem::path appFolder;  // already resolved
  std::string orderId;
  // Empty: "invoice-NUMBER.pdf", "credit-note-NUMBER.pdf" or
  // "packing-slip-ORDER.pdf" in `workFolder`.
  std::filesystem::path output;
  std::filesystem::path workFolder;  // empty: the current folder
  // A credit note for an order that is not cancelled: its payment was given back.
  bool refunded = false;
  std::string now;  // UTC time (utcTimeText): the date of a new document
  // The merchant's sales tax rates ([tax.rates]), fractions: the rate shown
  // beside the tax is the first that gives the order's tax.
  std::vector<double> taxRates;
};

// Writes the order's document as a PDF. An invoice is numbered and recorded
// on first request (any order not cancelled; its status stays as it is); a
// credit note likewise, for an invoiced order that is cancelled or refunded;
// asking again prints the recorded document again, byte for byte. A
// packing slip is made anew each time. Returns 0; 2 with a message for a
// missing [merchant] name, an unknown order, a refused document or a PDF
// that could not be written (the number stays recorded: running the command
// again writes it).
int runOrderDocumentCommand(OrderDocumentKind kind, const OrderDocumentOptions& options,
                            const MerchantSettings& merchant, DocumentPrinter& printer,
                            std::ostream& out, std::ostream& err);

// A document written: what it is ("Invoice 2026-00001 of order 7") and where.
struct WrittenDocument {
  std::string described;
  std::filesystem::path file;
};

// What runOrderDocumentCommand does, without telling what was written (the
// order viewer's actions use it): the document written, or the error whose
// message the command prints after its name. BadInput for a missing
// [merchant] name, a bad order number or output; NotFound for a missing
// database or order; Conflict for a refused document; Io when the database,
// a recorded document or the PDF cannot be read or written.
Outcome<WrittenDocument> writeOrderDocument(OrderDocumentKind kind,
                                            const OrderDocumentOptions& options,
                                            const MerchantSettings& merchant,
                                            DocumentPrinter& printer);

// The options of `vendaro invoices`.
struct InvoiceListOptions {
  std::filesystem::path appFolder;
  std::string from;  // "2026-01-01"; empty: from the first
  std::string to;    // up to and including this day; empty: to the last
  bool csv = false;
};

// Lists every invoice and credit note issued in the period, in number
// order: number, date, customer, net, tax and gross (credit notes negative),
// then the kind, the order and the invoice a credit note cancels. Returns 0;
// 2 with a message for a date that is not YYYY-MM-DD or a database that
// cannot be read.
int runInvoicesCommand(const InvoiceListOptions& options, std::ostream& out, std::ostream& err);

}  // namespace vendaro
