#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "platform/DbValue.h"

namespace vendaro {

// A database error with the number and text the data control reports.
class DataError : public std::runtime_error {
 public:
  DataError(int number, const std::string& description)
      : std::runtime_error(description), number_(number) {}
  int number() const { return number_; }

 private:
  int number_;
};

// Error numbers of the data control that callers test for.
namespace data_errors {
inline constexpr int kOtherError = 3000;
inline constexpr int kInvalidArgument = 3001;
inline constexpr int kNoEditInProgress = 3020;
inline constexpr int kNoCurrentRecord = 3021;
inline constexpr int kDuplicateKey = 3022;
inline constexpr int kReadOnly = 3027;
inline constexpr int kCannotOpen = 3044;
inline constexpr int kSyntaxError = 3075;
inline constexpr int kTableNotFound = 3078;
inline constexpr int kInvalidBookmark = 3159;
inline constexpr int kRecordDeleted = 3167;
inline constexpr int kLocked = 3218;
inline constexpr int kItemNotFound = 3265;
}  // namespace data_errors

using FieldValues = std::vector<std::pair<std::string, DbValue>>;

// The rows of one query, with the key of each row in its base table so that
// a record source can update and delete them. `baseTable` is empty when the
// query is not over a single table (the rows are then read-only).
struct QueryResult {
  std::vector<std::string> columns;
  std::vector<std::vector<DbValue>> rows;
  std::vector<std::int64_t> rowIds;
  std::string baseTable;
};

// The file of the program's one database in the application folder (an
// SQLite file; the name is the one every window of the program uses).
inline constexpr const char* kProgramDatabaseFile = "Vendaro2.mdb";

// The program's one database. Every subsystem creates the tables it uses.
// Every method throws DataError on failure.
class Database {
 public:
  virtual ~Database() = default;

  // Runs `schema` (CREATE TABLE IF NOT EXISTS statements) when one of
  // `tables` is missing; a database that has them all is not written to.
  virtual void createMissingTables(const std::vector<std::string>& tables,
                                   const std::string& schema) = 0;

  // Runs a record-source text: a table name, or an Access-style SELECT.
  virtual QueryResult select(const std::string& recordSource) = 0;
  // For a record source of whole rows of one table (the table's name, or
  // "select * from [T] ..."): its columns, base table and row keys in its
  // order, without the values, so a record set reads a row (readRow) only
  // when it shows it. Nothing for any other source, which select reads whole.
  virtual std::optional<QueryResult> selectKeys(const std::string& /*recordSource*/) {
    return std::nullopt;
  }
  // Runs a query and hands its column names, then each row as it is read,
  // to the callbacks: a listing of any size holds one row at a time.
  virtual void eachRow(const std::string& sql,
                       const std::function<void(const std::vector<std::string>&)>& columns,
                       const std::function<void(const std::vector<DbValue>&)>& row) = 0;
  // Adds a row and returns its key (the autoincrement key where the table has one).
  virtual std::int64_t insertRow(const std::string& table, const FieldValues& values) = 0;
  // Changes the given columns of a row; DataError 3167 when the row is gone.
  virtual void updateRow(const std::string& table, std::int64_t rowId,
                         const FieldValues& values) = 0;
  // Removes a row; a row that is already gone is not an error.
  virtual void deleteRow(const std::string& table, std::int64_t rowId) = 0;
  // Every column of one row as stored (after the column types converted the
  // values); empty when the row does not exist.
  virtual FieldValues readRow(const std::string& table, std::int64_t rowId) = 0;
  // Runs one query with `?` parameters bound to `parameters`; its rows are
  // read-only.
  virtual QueryResult query(const std::string& sql, const std::vector<DbValue>& parameters) = 0;
  // Runs one statement with `?` parameters bound to `parameters`.
  virtual void execute(const std::string& sql, const std::vector<DbValue>& parameters = {}) = 0;

  virtual void beginTransaction() = 0;
  virtual void commit() = 0;
  virtual void rollback() = 0;

  // For a run of many small transactions: where the file allows it safely,
  // a commit no longer waits for the disk (a crash of the program loses
  // nothing committed; a crash of the machine may lose what came after the
  // last `makeDurable`). `false` makes every commit durable again.
  virtual void deferSyncs(bool /*deferred*/) {}
  // Everything committed so far is on the disk when this returns.
  virtual void makeDurable() {}
};

}  // namespace vendaro
