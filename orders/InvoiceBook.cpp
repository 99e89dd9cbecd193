#include "orders/InvoiceBook.h"

#include "common/InvoiceNumberPattern.h"
#include "platform/DataFailure.h"

namespace vendaro {
namespace {

constexpr const char* kSchema = R"sql(
CREATE TABLE IF NOT EXISTS [InvoiceSequence] (
  Year INTEGER PRIMARY KEY, LastNumber INTEGER NOT NULL);
CREATE TABLE IF NOT EXISTS [Invoices] (
  Number TEXT NOT NULL UNIQUE, Kind TEXT NOT NULL, OrderID INTEGER NOT NULL,
  Issued TEXT NOT NULL, Year INTEGER NOT NULL, Sequence INTEGER NOT NULL, RefersTo TEXT,
  Customer TEXT, NetCents INTEGER NOT NULL, TaxCents INTEGER NOT NULL,
  GrossCents INTEGER NOT NULL, Document TEXT NOT NULL,
  UNIQUE (OrderID, Kind), UNIQUE (Year, Sequence));
CREATE INDEX IF NOT EXISTS [InvoicesByIssue] ON [Invoices] (Issued);
)sql";

constexpr const char* kColumns =
    "Kind, Number, OrderID, Issued, RefersTo, Customer, NetCents, TaxCents, GrossCents";

IssuedDocument issuedOf(const std::vector<DbValue>& row) {
  IssuedDocument issued;
  issued.kind = row[0].toText() == issuedKindName(IssuedKind::CreditNote) ? IssuedKind::CreditNote
                                                                          : IssuedKind::Invoice;
  issued.number = row[1].toText();
  issued.orderId = row[2].isInteger() ? row[2].integer() : 0;
  issued.issued = row[3].toText();
  issued.refersTo = row[4].toText();
  issued.customer = row[5].toText();
  issued.netCents = row[6].isInteger() ? row[6].integer() : 0;
  issued.taxCents = row[7].isInteger() ? row[7].integer() : 0;
  issued.grossCents = row[8].isInteger() ? row[8].integer() : 0;
  return issued;
}

Error damagedDocument(const DocumentFormatError& error) {
  return failure(ErrorKind::Io, std::string("the recorded document is damaged: ") + error.what());
}

Error usingFailure(const DataError& error) {
  return dataFailure(error, "cannot use the order database: ");
}

// The year of a time text "2026-12-07T12:50:01Z".
int yearOf(const std::string& time) {
  return std::stoi(time.substr(0, 4));
}

}  // namespace

const char* issuedKindName(IssuedKind kind) {
  return kind == IssuedKind::CreditNote ? "credit note" : "invoice";
}

InvoiceBook::InvoiceBook(Database& database) : database_(database) {
  database_.createMissingTables({"InvoiceSequence", "Invoices"}, kSchema);
}

Outcome<InvoiceBook> InvoiceBook::open(Database& database) {
  try {
    return InvoiceBook(database);
  } catch (const DataError& error) {
    return usingFailure(error);
  }
}

Outcome<std::optional<IssuedDocument>> InvoiceBook::find(std::int64_t orderId, IssuedKind kind) {
  try {
    return findLocked(orderId, kind);
  } catch (const DataError& error) {
    return usingFailure(error);
  } catch (const DocumentFormatError& error) {
    return damagedDocument(error);
  }
}

std::optional<IssuedDocument> InvoiceBook::findLocked(std::int64_t orderId, IssuedKind kind) {
  const QueryResult rows =
      database_.query(std::string("SELECT ") + kColumns +
                          ", Document FROM [Invoices] WHERE OrderID = ? AND Kind = ?",
                      {DbValue(orderId), DbValue(std::string(issuedKindName(kind)))});
  if (rows.rows.empty()) return std::nullopt;
  IssuedDocument issued = issuedOf(rows.rows[0]);
  issued.document = readPrintedDocument(rows.rows[0][9].toText());
  return issued;
}

std::int64_t InvoiceBook::takeNumber(int year) {
  const QueryResult last = database_.query(
      "SELECT LastNumber FROM [InvoiceSequence] WHERE Year = ?", {DbValue(std::int64_t{year})});
  const std::int64_t next =
      last.rows.empty() || !last.rows[0][0].isInteger() ? 1 : last.rows[0][0].integer() + 1;
  database_.execute(
      "INSERT INTO [InvoiceSequence] (Year, LastNumber) VALUES (?, ?) "
      "ON CONFLICT (Year) DO UPDATE SET LastNumber = excluded.LastNumber",
      {DbValue(std::int64_t{year}), DbValue(next)});
  return next;
}

Outcome<IssuedDocument> InvoiceBook::issue(std::int64_t orderId, IssuedKind kind,
                                           const std::string& pattern, const std::string& now,
                                           const std::string& refersTo, const Maker& make) {
  try {
    return issueLocked(orderId, kind, pattern, now, refersTo, make);
  } catch (const DataError& error) {
    return usingFailure(error);
  } catch (const DocumentFormatError& error) {
    return damagedDocument(error);
  }
}

IssuedDocument InvoiceBook::issueLocked(std::int64_t orderId, IssuedKind kind,
                                        const std::string& pattern, const std::string& now,
                                        const std::string& refersTo, const Maker& make) {
  database_.beginTransaction();
  try {
    if (std::optional<IssuedDocument> recorded = findLocked(orderId, kind)) {
      database_.rollback();
      return *recorded;
    }
    const int year = yearOf(now);
    const std::int64_t sequence = takeNumber(year);
    IssuedDocument issued;
    issued.kind = kind;
    issued.number = invoiceNumberText(pattern, year, sequence);
    issued.orderId = orderId;
    issued.issued = now;
    issued.refersTo = refersTo;
    NumberedDocument made = make(issued.number);
    issued.customer = made.customer;
    issued.netCents = made.netCents;
    issued.taxCents = made.taxCents;
    issued.grossCents = made.grossCents;
    issued.document = std::move(made.document);
    database_.execute(
        "INSERT INTO [Invoices] (Number, Kind, OrderID, Issued, Year, Sequence, RefersTo, "
        "Customer, NetCents, TaxCents, GrossCents, Document) "
        "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
        {DbValue(issued.number), DbValue(std::string(issuedKindName(kind))), DbValue(orderId),
         DbValue(now), DbValue(std::int64_t{year}), DbValue(sequence),
         refersTo.empty() ? DbValue() : DbValue(refersTo), DbValue(issued.customer),
         DbValue(issued.netCents), DbValue(issued.taxCents), DbValue(issued.grossCents),
         DbValue(printedDocumentText(issued.document))});
    database_.commit();
    return issued;
  } catch (...) {
    database_.rollback();
    throw;
  }
}

Outcome<std::vector<IssuedDocument>> InvoiceBook::issuedBetween(const std::string& from,
                                                                const std::string& to) {
  try {
    // Issue times are "YYYY-MM-DDT...Z": a day compares as the start of the text.
    const QueryResult rows =
        database_.query(std::string("SELECT ") + kColumns +
                            " FROM [Invoices] WHERE (? = '' OR substr(Issued, 1, 10) >= ?) "
                            "AND (? = '' OR substr(Issued, 1, 10) <= ?) ORDER BY Year, Sequence",
                        {DbValue(from), DbValue(from), DbValue(to), DbValue(to)});
    std::vector<IssuedDocument> issued;
    for (const auto& row : rows.rows) issued.push_back(issuedOf(row));
    return issued;
  } catch (const DataError& error) {
    return dataFailure(error, "cannot read the order database: ");
  }
}

Outcome<std::vector<IssuedDocument>> readIssuedDocuments(Database& database,
                                                         const std::string& from,
                                                         const std::string& to) {
  try {
    const bool recorded =
        !database
             .query("SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = 'Invoices'", {})
             .rows.empty();
    if (!recorded) return std::vector<IssuedDocument>{};
    return InvoiceBook(database).issuedBetween(from, to);
  } catch (const DataError& error) {
    return dataFailure(error, "cannot read the order database: ");
  }
}

}  // namespace vendaro
