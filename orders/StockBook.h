#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "common/StockFile.h"
#include "orders/OrderStatus.h"
#include "platform/Database.h"
#include "platform/Outcome.h"

namespace vendaro {

// One counted item as the order side keeps it.
struct StockLevel {
  std::string itemId;
  std::string project;
  std::int64_t onHand = 0;
};

// The quantities on hand of the counted items. The merchant counts items in
// the store wizard, which keeps the counts in each project's stock file; the
// order database keeps the live counts (`Stock`) and every change an order
// made (`StockMoves`), so that an order's status change and its stock move
// are one transaction. After the move the live counts are written back to the
// project files, where generation finds them. A count in a file that differs
// from the one last written there is a new count from the merchant and is
// taken over as it stands.
class StockBook {
 public:
  // `appFolder` holds the published records (which project an item belongs
  // to) and the projects.
  StockBook(Database& database, std::filesystem::path appFolder);

  // Takes over the counts the merchant changed in the project files (in the
  // caller's transaction).
  void adoptCounts();
  // Lowers the counts by the order's lines when it first reaches confirmed
  // (or a later status), and raises them again when it is cancelled after
  // that (in the caller's transaction). Lines of items not counted, and
  // quantities that are not whole positive numbers, move nothing.
  void moveFor(std::int64_t orderId, OrderStatus newStatus, const std::string& now);
  // Writes the live counts into the projects' stock files; false when one
  // could not be written (the database keeps the counts; the next write
  // brings the file up to date).
  bool writeCountFiles();

  // The counted items by ID; with `atMost`, only those with no more on hand.
  std::vector<StockLevel> levels(std::optional<std::int64_t> atMost = std::nullopt);

 private:
  // The project each published item belongs to: the newest record's.
  std::map<std::string, std::string> itemProjects();

  Database& database_;
  std::filesystem::path appFolder_;
};

// What taking stock found: the counted items (see StockBook::levels) and
// whether every project's stock file could be brought up to date.
struct StockTaking {
  std::vector<StockLevel> levels;
  bool filesWritten = true;
};

// Takes over the merchant's counts (the order tables are made when missing),
// writes the live counts to the project files and lists the counted items,
// with `atMost` only those with no more on hand. Io when the database cannot
// be used.
Outcome<StockTaking> takeStock(Database& database, const std::filesystem::path& appFolder,
                               std::optional<std::int64_t> atMost);

}  // namespace vendaro
