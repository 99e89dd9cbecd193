#pragma once

#include "platform/Database.h"

namespace vendaro {

// Creates the form creator's tables when they are missing: `Forms`
// (autoincrement key formID), `Fields` and `Respond` (autoincrement key
// respondID).
void createFormTables(Database& database);

}  // namespace vendaro
