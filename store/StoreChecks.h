#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "store/StoreInput.h"

namespace vendaro {

// Why "Add" refuses the item typed into the entry boxes, or nothing: a field
// holding "^" or a line break would break the item file, and a price or
// weight that the generator would have to replace is better corrected now.
std::optional<std::string> itemEntryRefusal(const ItemRecord& item);

// Why "Generate" refuses the sales tax as typed in per cent, or nothing: a
// percentage above 100 or below 0 is a mistake.
std::optional<std::string> salesTaxRefusal(std::string_view percent);

// Why "Generate" and "Update" refuse the start file name, or nothing: an
// empty name would write ".htm", and a name with a path would leave the
// project folder.
std::optional<std::string> startFileRefusal(std::string_view startFile);

// Why the item file of `category` is not read: it is, or lies in, a link
// leading outside the project folder.
std::string itemFileOutsideRefusal(const std::string& category);

// The note on a category listed more than once: the repeat is left out.
std::string repeatedCategoryNote(const std::string& category);

}  // namespace vendaro
