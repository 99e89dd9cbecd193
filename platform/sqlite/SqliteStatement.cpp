#include "platform/sqlite/SqliteStatement.h"

#include <sqlite3.h>

#include <algorithm>
#include <string_view>

#include "platform/sqlite/SqliteError.h"

namespace vendaro {
namespace {

bool onlySeparators(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) {
    return c == ';' || c == ' ' || c == '\t' || c == '\r' || c == '\n';
  });
}

int bindValue(sqlite3_stmt* statement, int index, const DbValue& value) {
  if (value.isNull()) return sqlite3_bind_null(statement, index);
  if (value.isInteger()) return sqlite3_bind_int64(statement, index, value.integer());
  if (value.isReal()) return sqlite3_bind_double(statement, index, value.real());
  const std::string& text = value.text();
  return sqlite3_bind_text64(statement, index, text.data(), text.size(), SQLITE_TRANSIENT,
                             SQLITE_UTF8);
}

}  // namespace

SqliteStatement::SqliteStatement(sqlite3* db, const std::string& sql) : db_(db), sql_(sql) {
  const char* tail = nullptr;
  const int rc =
      sqlite3_prepare_v2(db_, sql_.c_str(), static_cast<int>(sql_.size()) + 1, &statement_, &tail);
  if (rc != SQLITE_OK) throw sqliteError(db_, rc, "Cannot run \"" + sql_ + "\"");
  const std::string_view rest = tail != nullptr ? std::string_view(tail) : std::string_view();
  if (statement_ == nullptr || !onlySeparators(rest)) {
    sqlite3_finalize(statement_);
    statement_ = nullptr;
    throw DataError(data_errors::kSyntaxError,
                    "Cannot run \"" + sql_ + "\": expected exactly one statement");
  }
}

SqliteStatement::~SqliteStatement() {
  sqlite3_finalize(statement_);
}

void SqliteStatement::bind(const std::vector<DbValue>& values) {
  for (std::size_t i = 0; i < values.size(); ++i) {
    const int rc = bindValue(statement_, static_cast<int>(i) + 1, values[i]);
    if (rc != SQLITE_OK) throw sqliteError(db_, rc, "Cannot bind a value of \"" + sql_ + "\"");
  }
}

bool SqliteStatement::step() {
  const int rc = sqlite3_step(statement_);
  if (rc == SQLITE_ROW) return true;
  if (rc == SQLITE_DONE) return false;
  throw sqliteError(db_, rc, "Cannot run \"" + sql_ + "\"");
}

void SqliteStatement::run() {
  while (step()) {
  }
}

void SqliteStatement::reset() {
  // The error of the last step was reported by `step`; here it is repeated.
  sqlite3_reset(statement_);
  sqlite3_clear_bindings(statement_);
}

int SqliteStatement::columnCount() const {
  return sqlite3_column_count(statement_);
}

std::string SqliteStatement::columnName(int column) const {
  const char* name = sqlite3_column_name(statement_, column);
  return name != nullptr ? name : "";
}

DbValue SqliteStatement::column(int column) const {
  switch (sqlite3_column_type(statement_, column)) {
    case SQLITE_INTEGER:
      return DbValue(static_cast<std::int64_t>(sqlite3_column_int64(statement_, column)));
    case SQLITE_FLOAT:
      return DbValue(sqlite3_column_double(statement_, column));
    case SQLITE_NULL:
      return DbValue();
    default: {
      // Text, and blobs read as their bytes.
      const auto* bytes = static_cast<const char*>(sqlite3_column_blob(statement_, column));
      const int size = sqlite3_column_bytes(statement_, column);
      return DbValue(bytes != nullptr ? std::string(bytes, static_cast<std::size_t>(size))
                                      : std::string());
    }
  }
}

}  // namespace vendaro
