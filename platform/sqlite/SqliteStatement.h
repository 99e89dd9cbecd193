#pragma once

#include <string>
#include <vector>

#include "platform/DbValue.h"

struct sqlite3;
struct sqlite3_stmt;

namespace vendaro {

// One prepared statement; values are always bound as parameters. Every
// failure throws DataError.
class SqliteStatement {
 public:
  // Compiles `sql`, which must be one statement.
  SqliteStatement(sqlite3* db, const std::string& sql);
  ~SqliteStatement();
  SqliteStatement(const SqliteStatement&) = delete;
  SqliteStatement& operator=(const SqliteStatement&) = delete;

  // Binds the `?` parameters in order.
  void bind(const std::vector<DbValue>& values);
  // Runs to the next row; false when the statement is done.
  bool step();
  // Runs the statement to its end.
  void run();
  // Makes the statement ready to run again, its parameters unbound.
  void reset();

  int columnCount() const;
  std::string columnName(int column) const;
  DbValue column(int column) const;

 private:
  sqlite3* db_;
  sqlite3_stmt* statement_ = nullptr;
  std::string sql_;
};

}  // namespace vendaro
