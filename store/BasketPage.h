#pragma once

#include <string>

#include "store/SiteCatalogue.h"

namespace vendaro {

// "basket.htm": the ordered items of every category with "Remove" buttons.
std::string basketPageText(const SiteCatalogue& catalogue);

}  // namespace vendaro
