#pragma once

#include <string>

#include "store/SiteCatalogue.h"

namespace vendaro {

// The start page: the cart script head (catalogue arrays, MakeArray,
// moneyFormat, Item) followed by the frameset of the chosen layout.
std::string startPageText(const SiteCatalogue& catalogue);

// The frameset of the "Contents menu only" layout, also the tail of
// "fsecond.htm".
std::string contentsFramesetText();

}  // namespace vendaro
