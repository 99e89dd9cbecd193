#pragma once

#include <vector>

#include "store/SiteCatalogue.h"

namespace vendaro {

// The layout "Responsive": frameless HTML5 pages that fit a phone, starting
// at {start file}.html, with the basket kept in the browser's storage. The
// pages, in writing order: the start page, one "c-" page per category, one
// "p-" page per product, "basket", "checkout", "terms", "privacy", then
// "catalogue.js", "shop.js" and "shop.css".
std::vector<SitePage> responsiveSitePages(const SiteCatalogue& catalogue);

// The start page alone, as "Update" writes it.
SitePage responsiveStartPage(const SiteCatalogue& catalogue);

}  // namespace vendaro
