#include "store/CatalogueRecord.h"

#include <utility>

#include "common/ShopRules.h"
#include "store/ShopText.h"

namespace vendaro {

// The built-in table of the shop, as the texts the order pages' script
// holds: its lines are those of shippingFunctionText (a test holds the two
// together).
const std::vector<WeightBracket>& weightShippingBrackets() {
  static const std::vector<WeightBracket> brackets = [] {
    const ShippingRules table = ShippingRules::builtIn();
    std::vector<WeightBracket> rows;
    double above = 0;
    for (std::size_t band = 0; band < table.methods[0].bands.size(); ++band) {
      WeightBracket row{above, table.methods[0].bands[band].upTo, {}};
      for (std::size_t m = 0; m < row.charges.size(); ++m) {
        row.charges[m] = plainMoney(table.methods[m].bands[band].cents);
      }
      above = *row.upTo;
      rows.push_back(std::move(row));
    }
    WeightBracket over{above, std::nullopt, {}};
    for (std::size_t m = 0; m < over.charges.size(); ++m) {
      over.charges[m] = plainMoney(table.methods[m].overCents);
    }
    rows.push_back(std::move(over));
    return rows;
  }();
  return brackets;
}

PublishedCatalogue publishedRules(const SiteCatalogue& catalogue, std::string project,
                                  std::string generatedAt) {
  PublishedCatalogue record;
  record.project = std::move(project);
  record.generatedAt = std::move(generatedAt);
  record.salesTaxRate = catalogue.taxRate();
  const StoreInput& input = catalogue.input();
  record.shippingByWeight = input.weight;
  if (input.layout == SiteLayout::Responsive) {
    // The checkout's own rules, from the settings (see ShopData).
    record.checkout = PublishedCatalogue::Checkout::Responsive;
    record.taxRates = input.tax;
    if (input.weight) record.shippingMethods = input.shipping.methods;
  } else if (input.weight) {
    record.weightBrackets = weightShippingBrackets();
  }
  return record;
}

PublishedItemWalk publishedItems(const SiteCatalogue& catalogue) {
  return [&catalogue](const std::function<void(const PublishedItem&)>& take) {
    // One item reused: its texts keep their room from one item to the next.
    PublishedItem published;
    const std::vector<StoreCategory>& categories = catalogue.categories();
    for (std::size_t k = 0; k < categories.size(); ++k) {
      for (std::size_t j = 0; j < categories[k].items.size(); ++j) {
        const ItemRecord& item = categories[k].items[j];
        published.id = item.id;
        published.description = item.description;
        published.price = catalogue.price(k, j);
        published.weight = catalogue.weight(k, j);
        take(published);
      }
    }
  };
}

}  // namespace vendaro
