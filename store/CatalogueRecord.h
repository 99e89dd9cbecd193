#pragma once

#include <string>
#include <vector>

#include "common/PublishedCatalogue.h"
#include "store/SiteCatalogue.h"

namespace vendaro {

// The charges by weight that the order pages' UpdateShipping computes.
const std::vector<WeightBracket>& weightShippingBrackets();

// What a generation of `catalogue` publishes: every item with the price and
// weight as written into the script, the sales tax rate and the shipping.
PublishedCatalogue publishedCatalogue(const SiteCatalogue& catalogue, std::string project,
                                      std::string generatedAt);

}  // namespace vendaro
