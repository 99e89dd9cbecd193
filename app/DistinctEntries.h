#pragma once

#include <string>
#include <vector>

namespace vendaro {

// `entries` without the ones already in `present` and without repeats, in
// their order (the first of equal entries stays; comparison is exact). The
// duplicate test goes through a flat hash table, so a million entries take
// linear time and few allocations.
std::vector<std::string> distinctEntries(std::vector<std::string> entries,
                                         const std::vector<std::string>& present);

}  // namespace vendaro
