#include "orders/StockCommand.h"

#include "orders/OrderCommands.h"
#include "orders/StockBook.h"
#include "platform/sqlite/SqliteDatabase.h"

namespace vendaro {

int runStockCommand(const std::filesystem::path& appFolder, std::optional<std::int64_t> low,
                    std::ostream& out, std::ostream& err) {
  const std::filesystem::path file = appFolder / kProgramDatabaseFile;
  if (!std::filesystem::is_regular_file(file)) {
    err << "vendaro stock: no order database at " << file.string() << "\n";
    return kOrdersCommandFailed;
  }
  SqliteDatabase database(file);
  const Outcome<StockTaking> taking = takeStock(database, appFolder, low);
  if (!taking) return failOrderCommand(err, "vendaro stock: ", taking.error());
  if (!taking->filesWritten) err << "vendaro stock: a project's stock file could not be written\n";
  for (const StockLevel& level : taking->levels) {
    out << level.itemId << "  " << level.onHand << (level.onHand <= 0 ? "  sold out" : "") << "  ("
        << level.project << ")\n";
  }
  return 0;
}

}  // namespace vendaro
