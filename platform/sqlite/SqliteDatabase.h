#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/Database.h"

struct sqlite3;

namespace vendaro {

class SqliteStatement;

// The program's database in one SQLite file. The file is opened, created if
// missing, and checked on first use, so that a missing or damaged file shows
// up as a DataError (3044) of the first operation, where a data control
// reports it. A busy timeout lets two programs share the file.
class SqliteDatabase : public Database {
 public:
  explicit SqliteDatabase(std::filesystem::path file);
  ~SqliteDatabase() override;
  SqliteDatabase(const SqliteDatabase&) = delete;
  SqliteDatabase& operator=(const SqliteDatabase&) = delete;

  // Opens the file now (otherwise the first operation does); DataError 3044
  // when it cannot be opened or is not a database.
  void open();

  QueryResult select(const std::string& recordSource) override;
  std::optional<QueryResult> selectKeys(const std::string& recordSource) override;
  void eachRow(const std::string& sql,
               const std::function<void(const std::vector<std::string>&)>& columns,
               const std::function<void(const std::vector<DbValue>&)>& row) override;
  std::int64_t insertRow(const std::string& table, const FieldValues& values) override;
  void updateRow(const std::string& table, std::int64_t rowId, const FieldValues& values) override;
  void deleteRow(const std::string& table, std::int64_t rowId) override;
  FieldValues readRow(const std::string& table, std::int64_t rowId) override;
  QueryResult query(const std::string& sql, const std::vector<DbValue>& parameters) override;
  void execute(const std::string& sql, const std::vector<DbValue>& parameters = {}) override;
  void createMissingTables(const std::vector<std::string>& tables,
                           const std::string& schema) override;

  void beginTransaction() override;
  void commit() override;
  void rollback() override;
  // Switches the file to write-ahead logging (kept in the file), where
  // commits may skip the disk sync without risk to the file's integrity.
  void deferSyncs(bool deferred) override;
  // A full checkpoint: the log synced and copied into the database file.
  void makeDurable() override;

 private:
  std::string pragmaText(const std::string& pragma);

  sqlite3* connection();
  // Runs `sql` with `parameters` through a statement compiled once and kept:
  // an intake inserts thousands of rows with the same few statements.
  void runKept(const std::string& sql, const std::vector<DbValue>& parameters);
  // The kept statement for `sql`, compiled on first use.
  SqliteStatement& kept(const std::string& sql);
  // Resets a kept statement when it goes out of use, so it holds no lock.
  struct ResetAfterUse {
    SqliteStatement& statement;
    ~ResetAfterUse();
  };
  // Reads every row; with a `baseTable` the last column is the row key.
  QueryResult run(SqliteStatement& statement, const std::string& baseTable);

  std::filesystem::path file_;
  sqlite3* db_ = nullptr;
  bool syncsDeferred_ = false;
  std::unordered_map<std::string, std::unique_ptr<SqliteStatement>> kept_;
  static constexpr std::size_t kMostKept = 64;
};

}  // namespace vendaro
