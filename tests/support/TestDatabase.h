#pragma once

#include <filesystem>

#include "orders/OrderTables.h"
#include "platform/sqlite/SqliteDatabase.h"

namespace vendaro::testing {

// An SQLite database file with the order tables and the form creator's
// tables, as the windows of the program find them.
class TestDatabase : public SqliteDatabase {
 public:
  explicit TestDatabase(const std::filesystem::path& file) : SqliteDatabase(file) {
    createOrderTables(*this);
    createMissingTables({"Forms", "Fields", "Respond"}, R"sql(
CREATE TABLE IF NOT EXISTS [Forms] (
  formID INTEGER PRIMARY KEY AUTOINCREMENT, formName TEXT, formFile TEXT, tabStyle TEXT,
  baseLoc TEXT, [frame] TEXT, backmage TEXT, backColor TEXT, backText TEXT, hyperlink TEXT,
  VHyperlink TEXT, AHyperlink TEXT, email TEXT);
CREATE TABLE IF NOT EXISTS [Fields] (
  formID INTEGER, fieldName TEXT, fieldType TEXT, fieldDescription TEXT);
CREATE TABLE IF NOT EXISTS [Respond] (
  respondID INTEGER PRIMARY KEY AUTOINCREMENT, respondForm TEXT, respondDate TEXT,
  responder TEXT, FieldName TEXT, fieldValue TEXT);
)sql");
  }
};

}  // namespace vendaro::testing
