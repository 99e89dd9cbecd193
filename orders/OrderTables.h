#pragma once

#include "platform/Database.h"

namespace vendaro {

// Creates the tables of the order subsystem when they are missing: `Orders`
// (autoincrement key OrderID), `Order Details`, and `ImportedMessages`, the
// unique ids of the mails whose orders are stored.
void createOrderTables(Database& database);

}  // namespace vendaro
