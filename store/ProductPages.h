#pragma once

#include <cstddef>
#include <string>

#include "store/SiteCatalogue.h"

namespace vendaro {

// The list page "l_" + name + ".htm" of the category at `category`.
std::string productListText(const SiteCatalogue& catalogue, std::size_t category);

// "complect.htm": one selection row per category.
std::string selectionPageText(const SiteCatalogue& catalogue);

}  // namespace vendaro
