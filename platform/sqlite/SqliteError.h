#pragma once

#include <string>

#include "platform/Database.h"

struct sqlite3;

namespace vendaro {

// The data control's error number for an SQLite result code: 3044 for a file
// that cannot be opened or is no database, 3218 when another program holds
// the lock, 3078 for an unknown table, 3075 for a statement that does not
// compile, and so on.
int dataErrorNumber(int resultCode, const std::string& message);

// Builds the DataError for the last failure on `db`, prefixed by `context`.
DataError sqliteError(sqlite3* db, int resultCode, const std::string& context);

}  // namespace vendaro
