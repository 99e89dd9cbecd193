#include "orders/StockBook.h"

#include <map>
#include <set>

#include "common/FileNames.h"
#include "common/PublishedCatalogue.h"
#include "orders/OrderTables.h"
#include "platform/DataFailure.h"
#include "platform/Text.h"

namespace vendaro {
namespace {

constexpr const char* kSchema = R"sql(
CREATE TABLE IF NOT EXISTS [Stock] (
  ItemID TEXT PRIMARY KEY, Project TEXT NOT NULL, OnHand INTEGER NOT NULL,
  FileCount INTEGER NOT NULL);
CREATE TABLE IF NOT EXISTS [StockMoves] (
  OrderID INTEGER NOT NULL, ItemID TEXT NOT NULL, Change INTEGER NOT NULL, Moved TEXT NOT NULL);
CREATE INDEX IF NOT EXISTS [StockMovesByOrder] ON [StockMoves] (OrderID);
)sql";

// Statuses by which the goods are promised to the customer.
bool holdsGoods(OrderStatus status) {
  return status != OrderStatus::New && status != OrderStatus::Cancelled;
}

std::optional<std::int64_t> wholeQuantity(const DbValue& value) {
  if (value.isInteger()) return value.integer();
  const std::optional<std::optional<std::int64_t>> typed = typedStockCount(value.toText());
  if (!typed || !*typed) return std::nullopt;
  return **typed;
}

}  // namespace

StockBook::StockBook(Database& database, std::filesystem::path appFolder)
    : database_(database), appFolder_(std::move(appFolder)) {
  database_.createMissingTables({"Stock", "StockMoves"}, kSchema);
}

std::map<std::string, std::string> StockBook::itemProjects() {
  std::vector<std::string> problems;
  std::map<std::string, std::string> projects;
  // Oldest first: a newer record's project wins.
  for (const PublishedCatalogue& record : readPublishedCatalogues(appFolder_, problems)) {
    if (!isContainedName(record.project)) continue;
    for (const PublishedItem& item : record.items) {
      projects[std::string(text::trimmed(item.id))] = record.project;
    }
  }
  return projects;
}

void StockBook::adoptCounts() {
  std::map<std::string, StockCounts> files;
  std::set<std::string> counted;
  for (const auto& [item, project] : itemProjects()) {
    auto file = files.find(project);
    if (file == files.end()) {
      file = files.emplace(project, readStockFile(stockFilePath(appFolder_, project))).first;
    }
    const auto count = file->second.find(item);
    if (count == file->second.end()) continue;
    counted.insert(item);
    database_.execute(
        "INSERT INTO [Stock] (ItemID, Project, OnHand, FileCount) VALUES (?1, ?2, ?3, ?3) "
        "ON CONFLICT (ItemID) DO UPDATE SET Project = ?2, OnHand = ?3, FileCount = ?3 "
        "WHERE FileCount <> ?3 OR Project <> ?2",
        {DbValue(item), DbValue(project), DbValue(count->second)});
  }
  // An item whose count the merchant emptied is no longer counted.
  for (const auto& row : database_.query("SELECT ItemID FROM [Stock]", {}).rows) {
    if (!counted.count(row[0].toText())) {
      database_.execute("DELETE FROM [Stock] WHERE ItemID = ?", {row[0]});
    }
  }
}

void StockBook::moveFor(std::int64_t orderId, OrderStatus newStatus, const std::string& now) {
  const QueryResult moves = database_.query(
      "SELECT ItemID, SUM(Change) FROM [StockMoves] WHERE OrderID = ? GROUP BY ItemID",
      {DbValue(orderId)});
  bool held = false;
  for (const auto& row : moves.rows) held = held || row[1].integer() != 0;
  if (holdsGoods(newStatus) && !held) {
    const QueryResult lines = database_.query(
        "SELECT d.ProductID, d.Quantity FROM [Order Details] d WHERE d.OrderID = ? ORDER BY rowid",
        {DbValue(orderId)});
    for (const auto& line : lines.rows) {
      const std::string item(text::trimmed(line[0].toText()));
      const std::optional<std::int64_t> quantity = wholeQuantity(line[1]);
      if (!quantity || *quantity <= 0) continue;
      if (database_.query("SELECT 1 FROM [Stock] WHERE ItemID = ?", {DbValue(item)}).rows.empty()) {
        continue;
      }
      database_.execute("UPDATE [Stock] SET OnHand = OnHand - ? WHERE ItemID = ?",
                        {DbValue(*quantity), DbValue(item)});
      database_.execute("INSERT INTO [StockMoves] VALUES (?, ?, ?, ?)",
                        {DbValue(orderId), DbValue(item), DbValue(-*quantity), DbValue(now)});
    }
  } else if (newStatus == OrderStatus::Cancelled && held) {
    for (const auto& row : moves.rows) {
      const std::int64_t back = -row[1].integer();
      if (back == 0) continue;
      database_.execute("UPDATE [Stock] SET OnHand = OnHand + ? WHERE ItemID = ?",
                        {DbValue(back), row[0]});
      database_.execute("INSERT INTO [StockMoves] VALUES (?, ?, ?, ?)",
                        {DbValue(orderId), row[0], DbValue(back), DbValue(now)});
    }
  }
}

bool StockBook::writeCountFiles() {
  std::map<std::string, StockCounts> live;
  for (const auto& row :
       database_.query("SELECT Project, ItemID, OnHand FROM [Stock] WHERE OnHand <> FileCount", {})
           .rows) {
    live[row[0].toText()][row[1].toText()] = row[2].integer();
  }
  bool written = true;
  for (const auto& [project, counts] : live) {
    const std::filesystem::path file = stockFilePath(appFolder_, project);
    StockCounts merged = readStockFile(file);
    for (const auto& [item, count] : counts) merged[item] = count;
    if (!writeStockFile(file, merged)) {
      written = false;
      continue;
    }
    for (const auto& [item, count] : counts) {
      database_.execute("UPDATE [Stock] SET FileCount = ? WHERE ItemID = ?",
                        {DbValue(count), DbValue(item)});
    }
  }
  return written;
}

std::vector<StockLevel> StockBook::levels(std::optional<std::int64_t> atMost) {
  std::vector<StockLevel> found;
  for (const auto& row :
       database_.query("SELECT ItemID, Project, OnHand FROM [Stock] ORDER BY ItemID", {}).rows) {
    if (atMost && row[2].integer() > *atMost) continue;
    found.push_back({row[0].toText(), row[1].toText(), row[2].integer()});
  }
  return found;
}

Outcome<StockTaking> takeStock(Database& database, const std::filesystem::path& appFolder,
                               std::optional<std::int64_t> atMost) {
  try {
    createOrderTables(database);
    StockBook stock(database, appFolder);
    database.beginTransaction();
    try {
      stock.adoptCounts();
      database.commit();
    } catch (const DataError&) {
      database.rollback();
      throw;
    }
    StockTaking taking;
    taking.filesWritten = stock.writeCountFiles();
    taking.levels = stock.levels(atMost);
    return taking;
  } catch (const DataError& error) {
    return dataFailure(error);
  }
}

}  // namespace vendaro
