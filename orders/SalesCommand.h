#pragma once

#include <filesystem>
#include <ostream>
#include <string>

namespace vendaro {

// The options of `vendaro sales`.
struct SalesCommandOptions {
  std::filesystem::path appFolder;
  std::string from;          // YYYY-MM-DD; empty: from the first order
  std::string to;            // YYYY-MM-DD; empty: to the last
  std::string by = "month";  // "day", "week" or "month"
  bool csv = false;
};

// Prints the sales figures of the period: revenue per period, the counted
// orders, revenue and average order value, the flagged and cancelled orders
// left out, orders by status and the ten best items by revenue. `--csv`
// gives them as rows of Figure, Key, Count, Amount. Writes nothing. Returns
// 0; 2 with a message for a bad date or period, or an unreadable database.
int runSalesCommand(const SalesCommandOptions& options, std::ostream& out, std::ostream& err);

}  // namespace vendaro
