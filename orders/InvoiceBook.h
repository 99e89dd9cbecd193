#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/Database.h"
#include "platform/Outcome.h"
#include "platform/PrintedDocument.h"

namespace vendaro {

enum class IssuedKind { Invoice, CreditNote };

// "invoice" or "credit note", as the record keeps it.
const char* issuedKindName(IssuedKind kind);

// An invoice or credit note as recorded, with the pages it prints.
struct IssuedDocument {
  IssuedKind kind = IssuedKind::Invoice;
  std::string number;
  std::int64_t orderId = 0;
  std::string issued;    // UTC time
  std::string refersTo;  // a credit note: the invoice's number
  std::string customer;
  std::int64_t netCents = 0;  // before tax (products and shipping)
  std::int64_t taxCents = 0;
  std::int64_t grossCents = 0;
  PrintedDocument document;
};

// What the issuer makes once the number is known: the figures and the pages.
struct NumberedDocument {
  std::string customer;
  std::int64_t netCents = 0;
  std::int64_t taxCents = 0;
  std::int64_t grossCents = 0;
  PrintedDocument document;
};

// The invoices and credit notes of the order database (`Invoices`, and
// `InvoiceSequence`, the last number given in each year; both created on
// first use). Numbers of both kinds come from one sequence per year: each
// is taken in the transaction that records its document, so none is given
// twice or left out, also when two programs issue at once (the transaction
// takes the write lock first; the other waits) or the printing fails after
// (the record stays and prints the same pages again). An order has at most
// one invoice and one credit note.
// Every call gives Io with a message complete for the user ("cannot use the
// order database: ...", "the recorded document is damaged: ...") when the
// database cannot be used or a recorded document cannot be read.
class InvoiceBook {
 public:
  // Makes the tables when they are missing (DataError when it cannot).
  explicit InvoiceBook(Database& database);
  // The same for a caller that meets the user.
  static Outcome<InvoiceBook> open(Database& database);

  Outcome<std::optional<IssuedDocument>> find(std::int64_t orderId, IssuedKind kind);

  // The order's document of `kind`: the one recorded, or a new one numbered
  // by `pattern` for the year of `now` and made by `make`. `make` throwing
  // records nothing and takes no number.
  using Maker = std::function<NumberedDocument(const std::string& number)>;
  Outcome<IssuedDocument> issue(std::int64_t orderId, IssuedKind kind, const std::string& pattern,
                                const std::string& now, const std::string& refersTo,
                                const Maker& make);

  // Every document issued on the days `from` to `to` ("2026-01-01";
  // empty: no limit), by number order of issue; without their pages.
  Outcome<std::vector<IssuedDocument>> issuedBetween(const std::string& from,
                                                     const std::string& to);

 private:
  std::optional<IssuedDocument> findLocked(std::int64_t orderId, IssuedKind kind);
  IssuedDocument issueLocked(std::int64_t orderId, IssuedKind kind, const std::string& pattern,
                             const std::string& now, const std::string& refersTo,
                             const Maker& make);
  std::int64_t takeNumber(int year);

  Database& database_;
};

// The documents issued in the period (as InvoiceBook::issuedBetween) without
// writing to the database: none when it has no invoices yet.
Outcome<std::vector<IssuedDocument>> readIssuedDocuments(Database& database,
                                                         const std::string& from,
                                                         const std::string& to);

}  // namespace vendaro
