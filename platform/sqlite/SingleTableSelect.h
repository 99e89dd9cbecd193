#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace vendaro {

// What a SELECT text shows about where its rows come from, when it reads one
// table directly (no join, comma list, DISTINCT, grouping, aggregate or
// compound query), so that each result row stands for exactly one table row.
struct SingleTableSelect {
  std::string table;           // the table's name, unquoted
  std::string qualifier;       // the name its columns are qualified with (the alias, if any)
  std::size_t fromOffset = 0;  // where the FROM keyword starts in the text

  // Detects such a SELECT; nullopt for anything else.
  static std::optional<SingleTableSelect> analyse(std::string_view sql);
};

}  // namespace vendaro
