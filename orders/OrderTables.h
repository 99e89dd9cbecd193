#pragma once

#include <string>
#include <vector>

#include "platform/Database.h"
#include "platform/Outcome.h"

namespace vendaro {

// Creates the tables of the order subsystem when they are missing: `Orders`
// (autoincrement key OrderID), `Order Details` (indexed by OrderID), and
// `ImportedMessages`, the unique ids of the mails whose orders are stored.
// An `Orders` table of an older database gains the columns added since; a
// database that has everything is not written to.
void createOrderTables(Database& database);
// The same for a caller that meets the user: Io when they cannot be made.
Done prepareOrderTables(Database& database);

// The columns of `Orders` in table order, as a new database has them.
const std::vector<std::string>& orderColumns();

// The columns of `Order Details` that are an order's lines, after OrderID.
const std::vector<std::string>& orderLineColumns();

// Values of the column `Flags`, joined by "; ": what the intake found
// wrong with an order that a merchant should look at.
inline constexpr const char* kNoItemsFlag = "no items";
inline constexpr const char* kQuantityFlag = "quantity not a whole positive number";

}  // namespace vendaro
