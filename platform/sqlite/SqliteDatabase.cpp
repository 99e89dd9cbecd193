#include "platform/sqlite/SqliteDatabase.h"

#include <fcntl.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <memory>
#include <string_view>
#include <utility>

#include "platform/Text.h"
#include "platform/sqlite/SingleTableSelect.h"
#include "platform/sqlite/SqliteError.h"
#include "platform/sqlite/SqliteStatement.h"

namespace vendaro {
namespace {

// Lets another program finish its write before an operation gives up.
constexpr int kBusyTimeoutMs = 5000;

// The name of the row-key column added to updatable queries; never shown.
constexpr std::string_view kRowKey = "vendaro_row_key__";

std::string_view trim(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

bool startsWithWord(std::string_view text, std::string_view word) {
  if (!text::startsWithIgnoringCase(text, word)) return false;
  if (text.size() == word.size()) return true;
  const char next = text[word.size()];
  return !((next >= 'a' && next <= 'z') || (next >= 'A' && next <= 'Z') ||
           (next >= '0' && next <= '9') || next == '_');
}

bool isQueryText(std::string_view text) {
  return startsWithWord(text, "select") || startsWithWord(text, "with");
}

// A table or column name in brackets; a name that cannot be bracketed is refused
// rather than spliced into the statement.
std::string bracketed(std::string_view name) {
  if (name.empty() || name.find(']') != std::string_view::npos) {
    throw DataError(data_errors::kInvalidArgument, "Invalid name: \"" + std::string(name) + "\"");
  }
  return "[" + std::string(name) + "]";
}

// A record source that names a table: "Orders", "Order Details", "[Order Details]".
std::string tableNameOf(std::string_view text) {
  if (text.size() >= 2 && text.front() == '[' && text.back() == ']') {
    text = text.substr(1, text.size() - 2);
  }
  if (text.empty()) throw DataError(data_errors::kTableNotFound, "The record source is empty");
  return std::string(text);
}

std::unique_ptr<SqliteStatement> prepareOrNull(sqlite3* db, const std::string& sql) {
  try {
    return std::make_unique<SqliteStatement>(db, sql);
  } catch (const DataError&) {
    return nullptr;
  }
}

std::vector<DbValue> valuesOf(const FieldValues& fields) {
  std::vector<DbValue> values;
  values.reserve(fields.size());
  for (const auto& field : fields) values.push_back(field.second);
  return values;
}

// The file holds customers' addresses and card numbers: it is made private to
// the user (SQLite gives its journal files the same mode), and a file made
// readable by others earlier is made private too. A file that is not ours to
// change is left as it is.
void makePrivateFile(const std::filesystem::path& file) {
  const int fd = ::open(file.c_str(), O_RDONLY | O_CREAT | O_CLOEXEC, S_IRUSR | S_IWUSR);
  if (fd < 0) return;  // SQLite reports why it cannot open the file
  struct stat status {};
  if (::fstat(fd, &status) == 0 && S_ISREG(status.st_mode) &&
      (status.st_mode & (S_IRWXG | S_IRWXO)) != 0) {
    ::fchmod(fd, status.st_mode & ~(S_IRWXG | S_IRWXO));
  }
  ::close(fd);
}

}  // namespace

SqliteDatabase::SqliteDatabase(std::filesystem::path file) : file_(std::move(file)) {}

SqliteDatabase::~SqliteDatabase() {
  kept_.clear();
  sqlite3_close_v2(db_);
}

void SqliteDatabase::open() {
  connection();
}

sqlite3* SqliteDatabase::connection() {
  if (db_ != nullptr) return db_;
  const std::string context = "Couldn't open the database file '" + file_.string() + "'";
  makePrivateFile(file_);
  sqlite3* db = nullptr;
  const int rc =
      sqlite3_open_v2(file_.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
  if (rc != SQLITE_OK) {
    const DataError error = sqliteError(db, rc, context);
    sqlite3_close_v2(db);
    throw DataError(data_errors::kCannotOpen, error.what());
  }
  sqlite3_busy_timeout(db, kBusyTimeoutMs);
  // Reading the schema tells a file that is not a database at once.
  char* message = nullptr;
  const int checked =
      sqlite3_exec(db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, &message);
  if (checked != SQLITE_OK) {
    const std::string text = message != nullptr ? message : sqlite3_errstr(checked);
    sqlite3_free(message);
    sqlite3_close_v2(db);
    throw DataError(data_errors::kCannotOpen, context + ": " + text);
  }
  db_ = db;
  return db_;
}

void SqliteDatabase::createMissingTables(const std::vector<std::string>& tables,
                                         const std::string& schema) {
  sqlite3* db = connection();
  // Only take the write lock when a table is missing, so that a file another
  // program is writing, or a read-only copy, still opens.
  std::string query = "SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name IN (";
  std::vector<DbValue> names;
  for (const std::string& table : tables) {
    query += names.empty() ? "?" : ", ?";
    names.emplace_back(table);
  }
  bool complete = false;
  {
    // The statement ends before the write lock is asked for: a statement
    // still open keeps a read lock, and two programs each holding one while
    // waiting for the other's write would both run into the busy timeout.
    SqliteStatement count(db, query + ")");
    count.bind(names);
    count.step();
    complete = count.column(0) == DbValue(static_cast<std::int64_t>(tables.size()));
  }
  if (complete) return;

  const std::string script = "BEGIN IMMEDIATE;" + schema + "COMMIT;";
  char* message = nullptr;
  const int rc = sqlite3_exec(db, script.c_str(), nullptr, nullptr, &message);
  if (rc != SQLITE_OK) {
    const std::string text = message != nullptr ? message : sqlite3_errstr(rc);
    sqlite3_free(message);
    sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
    throw DataError(data_errors::kCannotOpen, "Couldn't open the database file '" + file_.string() +
                                                  "': cannot create the tables: " + text);
  }
}

QueryResult SqliteDatabase::select(const std::string& recordSource) {
  sqlite3* db = connection();
  const std::string text(trim(recordSource));
  if (isQueryText(text)) {
    // A query over one table gets the table's row key as an extra last
    // column, so its rows can be changed; any other query is read-only.
    const auto shape = SingleTableSelect::analyse(text);
    if (shape && shape->qualifier.find(']') == std::string::npos) {
      const std::string keyed = text.substr(0, shape->fromOffset) + ", " +
                                bracketed(shape->qualifier) + ".rowid AS [" + std::string(kRowKey) +
                                "] " + text.substr(shape->fromOffset);
      if (auto statement = prepareOrNull(db, keyed)) return run(*statement, shape->table);
    }
    SqliteStatement statement(db, text);
    return run(statement, {});
  }
  const std::string table = tableNameOf(text);
  const std::string all = "SELECT * FROM " + bracketed(table);
  // Views and tables without row keys fall back to read-only rows.
  if (auto statement = prepareOrNull(
          db, "SELECT *, rowid AS [" + std::string(kRowKey) + "] FROM " + bracketed(table))) {
    return run(*statement, table);
  }
  SqliteStatement statement(db, all);
  return run(statement, {});
}

std::optional<QueryResult> SqliteDatabase::selectKeys(const std::string& recordSource) {
  sqlite3* db = connection();
  const std::string text(trim(recordSource));
  std::string table = text;
  std::string keysSql;
  if (isQueryText(text)) {
    const auto shape = SingleTableSelect::analyse(text);
    if (!shape || shape->qualifier.find(']') != std::string::npos) return std::nullopt;
    const std::string_view chosen =
        trim(std::string_view(text).substr(6, shape->fromOffset - 6));  // after "select"
    if (!startsWithWord(text, "select") || chosen != "*") return std::nullopt;
    table = shape->table;
    keysSql = "SELECT " + bracketed(shape->qualifier) + ".rowid " + text.substr(shape->fromOffset);
  } else {
    table = tableNameOf(text);
    keysSql = "SELECT rowid FROM " + bracketed(table);
  }
  const auto rows = prepareOrNull(db, "SELECT * FROM " + bracketed(table) + " WHERE rowid = ?");
  auto keys = prepareOrNull(db, keysSql);
  if (!rows || !keys) return std::nullopt;
  QueryResult result;
  result.baseTable = table;
  for (int column = 0; column < rows->columnCount(); ++column) {
    result.columns.push_back(rows->columnName(column));
  }
  while (keys->step()) result.rowIds.push_back(keys->column(0).integer());
  return result;
}

QueryResult SqliteDatabase::run(SqliteStatement& statement, const std::string& baseTable) {
  QueryResult result;
  result.baseTable = baseTable;
  const bool keyed = !baseTable.empty();
  const int shown = statement.columnCount() - (keyed ? 1 : 0);
  for (int column = 0; column < shown; ++column) {
    result.columns.push_back(statement.columnName(column));
  }
  while (statement.step()) {
    std::vector<DbValue> row;
    row.reserve(static_cast<std::size_t>(shown));
    for (int column = 0; column < shown; ++column) row.push_back(statement.column(column));
    result.rows.push_back(std::move(row));
    if (keyed) result.rowIds.push_back(statement.column(shown).integer());
  }
  return result;
}

void SqliteDatabase::eachRow(const std::string& sql,
                             const std::function<void(const std::vector<std::string>&)>& columns,
                             const std::function<void(const std::vector<DbValue>&)>& row) {
  SqliteStatement statement(connection(), sql);
  const int count = statement.columnCount();
  std::vector<std::string> names;
  for (int column = 0; column < count; ++column) names.push_back(statement.columnName(column));
  columns(names);
  std::vector<DbValue> values(static_cast<std::size_t>(count));
  while (statement.step()) {
    for (int column = 0; column < count; ++column) {
      values[static_cast<std::size_t>(column)] = statement.column(column);
    }
    row(values);
  }
}

std::int64_t SqliteDatabase::insertRow(const std::string& table, const FieldValues& values) {
  sqlite3* db = connection();
  std::string sql = "INSERT INTO " + bracketed(table);
  if (values.empty()) {
    sql += " DEFAULT VALUES";
  } else {
    std::string names;
    std::string marks;
    for (const auto& [name, value] : values) {
      names += (names.empty() ? "" : ", ") + bracketed(name);
      marks += marks.empty() ? "?" : ", ?";
    }
    sql += " (" + names + ") VALUES (" + marks + ")";
  }
  runKept(sql, valuesOf(values));
  return sqlite3_last_insert_rowid(db);
}

void SqliteDatabase::updateRow(const std::string& table, std::int64_t rowId,
                               const FieldValues& values) {
  sqlite3* db = connection();
  if (values.empty()) return;
  std::string assignments;
  for (const auto& [name, value] : values) {
    assignments += (assignments.empty() ? "" : ", ") + bracketed(name) + " = ?";
  }
  SqliteStatement statement(
      db, "UPDATE " + bracketed(table) + " SET " + assignments + " WHERE rowid = ?");
  std::vector<DbValue> parameters = valuesOf(values);
  parameters.emplace_back(rowId);
  statement.bind(parameters);
  statement.run();
  if (sqlite3_changes(db) == 0) {
    throw DataError(data_errors::kRecordDeleted,
                    "Record is deleted: row " + std::to_string(rowId) + " of " + table);
  }
}

void SqliteDatabase::deleteRow(const std::string& table, std::int64_t rowId) {
  execute("DELETE FROM " + bracketed(table) + " WHERE rowid = ?", {DbValue(rowId)});
}

FieldValues SqliteDatabase::readRow(const std::string& table, std::int64_t rowId) {
  SqliteStatement statement(connection(), "SELECT * FROM " + bracketed(table) + " WHERE rowid = ?");
  statement.bind({DbValue(rowId)});
  FieldValues fields;
  if (!statement.step()) return fields;
  for (int column = 0; column < statement.columnCount(); ++column) {
    fields.emplace_back(statement.columnName(column), statement.column(column));
  }
  return fields;
}

// A query asked again and again (the intake's look-ups, once per order) is
// prepared once: it is kept like the statements `execute` runs.
QueryResult SqliteDatabase::query(const std::string& sql, const std::vector<DbValue>& parameters) {
  SqliteStatement& statement = kept(sql);
  // Reset whatever happens, so that a kept statement holds no lock.
  const ResetAfterUse reset{statement};
  statement.bind(parameters);
  return run(statement, {});
}

void SqliteDatabase::execute(const std::string& sql, const std::vector<DbValue>& parameters) {
  runKept(sql, parameters);
}

SqliteDatabase::ResetAfterUse::~ResetAfterUse() {
  statement.reset();
}

SqliteStatement& SqliteDatabase::kept(const std::string& sql) {
  auto found = kept_.find(sql);
  if (found == kept_.end()) {
    sqlite3* db = connection();
    if (kept_.size() >= kMostKept) kept_.clear();
    found = kept_.emplace(sql, std::make_unique<SqliteStatement>(db, sql)).first;
  }
  return *found->second;
}

void SqliteDatabase::runKept(const std::string& sql, const std::vector<DbValue>& parameters) {
  SqliteStatement& statement = kept(sql);
  const ResetAfterUse reset{statement};
  statement.bind(parameters);
  statement.run();
}

void SqliteDatabase::beginTransaction() {
  execute("BEGIN IMMEDIATE");
}

void SqliteDatabase::commit() {
  execute("COMMIT");
}

void SqliteDatabase::rollback() {
  execute("ROLLBACK");
}

std::string SqliteDatabase::pragmaText(const std::string& pragma) {
  SqliteStatement statement(connection(), "PRAGMA " + pragma);
  return statement.step() ? statement.column(0).toText() : std::string();
}

void SqliteDatabase::deferSyncs(bool deferred) {
  syncsDeferred_ = false;
  if (!deferred) {
    execute("PRAGMA synchronous=FULL");
    return;
  }
  // Without write-ahead logging (a read-only file, a file system without
  // shared memory) every commit stays durable.
  if (pragmaText("journal_mode=WAL") != "wal") return;
  execute("PRAGMA synchronous=NORMAL");
  syncsDeferred_ = true;
}

void SqliteDatabase::makeDurable() {
  if (!syncsDeferred_) return;
  SqliteStatement checkpoint(connection(), "PRAGMA wal_checkpoint(FULL)");
  // The first column is 1 when a reader kept the checkpoint from finishing.
  if (checkpoint.step() && checkpoint.column(0) == DbValue(std::int64_t{0})) return;
  throw DataError(data_errors::kOtherError,
                  "The database file '" + file_.string() +
                      "' could not be written to the disk: another program is reading it");
}

}  // namespace vendaro
