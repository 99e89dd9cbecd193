#include "platform/sqlite/SqliteError.h"

#include <sqlite3.h>

namespace vendaro {

int dataErrorNumber(int resultCode, const std::string& message) {
  switch (resultCode & 0xff) {
    case SQLITE_CANTOPEN:
    case SQLITE_NOTADB:
      return data_errors::kCannotOpen;
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
      return data_errors::kLocked;
    case SQLITE_CONSTRAINT:
      return data_errors::kDuplicateKey;
    case SQLITE_READONLY:
      return data_errors::kReadOnly;
    case SQLITE_ERROR:
      if (message.find("no such table") != std::string::npos) return data_errors::kTableNotFound;
      return data_errors::kSyntaxError;
    default:
      return data_errors::kOtherError;
  }
}

DataError sqliteError(sqlite3* db, int resultCode, const std::string& context) {
  const std::string message = db != nullptr ? sqlite3_errmsg(db) : sqlite3_errstr(resultCode);
  return DataError(dataErrorNumber(resultCode, message), context + ": " + message);
}

}  // namespace vendaro
