#pragma once

#include <filesystem>

#include "forms/FormTables.h"
#include "orders/OrderTables.h"
#include "platform/sqlite/SqliteDatabase.h"

namespace vendaro::testing {

// An SQLite database file with the order tables and the form creator's
// tables, as the windows of the program find them.
class TestDatabase : public SqliteDatabase {
 public:
  explicit TestDatabase(const std::filesystem::path& file) : SqliteDatabase(file) {
    createOrderTables(*this);
    createFormTables(*this);
  }
};

}  // namespace vendaro::testing
