#pragma once

#include <string>
#include <vector>

#include "common/PublishedCatalogue.h"
#include "store/SiteCatalogue.h"

namespace vendaro {

// The charges by weight that the order pages' UpdateShipping computes.
const std::vector<WeightBracket>& weightShippingBrackets();

// What a generation of `catalogue` publishes, in two parts: the sales tax
// rate and the shipping (the record without its items), and a walk through
// every item, one at a time in the catalogue's order, with the price and
// weight as written into the script (the catalogue must outlive the walk).
PublishedCatalogue publishedRules(const SiteCatalogue& catalogue, std::string project,
                                  std::string generatedAt);
PublishedItemWalk publishedItems(const SiteCatalogue& catalogue);

}  // namespace vendaro
