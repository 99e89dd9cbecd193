#pragma once

#include <functional>
#include <vector>

#include "store/SiteCatalogue.h"
#include "store/StoreInput.h"

namespace vendaro {

// Every page of the shop site, in the order "Generate" writes them: the start
// page, "fsecond" (banner layout only), "banner", "mmenu", "compinfo", "ols",
// "m_products", one "l_" + category page per category, "basket", "order",
// "order_cod", "order_cc", "select_payment" and "complect", every character
// outside ASCII written as a reference or escape (asciiPage), and with an
// order script address "order.php"; for the layout "Responsive" the pages of
// `responsiveSitePages`. Prices, weights
// and the tax rate that could not be written as typed are appended to
// `reports`.
std::vector<SitePage> generateSite(const StoreInput& input, std::vector<GeneratorReport>& reports);

// The start page alone, as "Update" writes it; reports prices and weights.
SitePage generateStartPage(const StoreInput& input, std::vector<GeneratorReport>& reports);

// The same from a catalogue already prepared, for a caller that uses it
// further (the publication record); reports are the catalogue's own.
std::vector<SitePage> generateSite(const SiteCatalogue& catalogue,
                                   std::vector<GeneratorReport>& reports);

// Takes each page as it is generated, in the order "Generate" writes them.
using PageSink = std::function<void(SitePage page)>;

// The same, each page handed over when it is done instead of all at the
// end, so a large site need not be held whole.
void generateSite(const SiteCatalogue& catalogue, std::vector<GeneratorReport>& reports,
                  const PageSink& take);
SitePage generateStartPage(const SiteCatalogue& catalogue, std::vector<GeneratorReport>& reports);

}  // namespace vendaro
