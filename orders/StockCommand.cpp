#include "orders/StockCommand.h"

#include "orders/OrderCommands.h"
#include "orders/OrderTables.h"
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
  try {
    SqliteDatabase database(file);
    createOrderTables(database);
    StockBook stock(database, appFolder);
    database.beginTransaction();
    stock.adoptCounts();
    database.commit();
    if (!stock.writeCountFiles()) {
      err << "vendaro stock: a project's stock file could not be written\n";
    }
    for (const StockLevel& level : stock.levels(low)) {
      out << level.itemId << "  " << level.onHand << (level.onHand <= 0 ? "  sold out" : "")
          << "  (" << level.project << ")\n";
    }
    return 0;
  } catch (const DataError& error) {
    err << "vendaro stock: " << error.what() << "\n";
    return kOrdersCommandFailed;
  }
}

}  // namespace vendaro
