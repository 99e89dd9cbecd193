#include "store/CatalogueRecord.h"

#include <utility>

namespace vendaro {

// The same figures as the lines of shippingFunctionText (a test holds the
// two together).
const std::vector<WeightBracket>& weightShippingBrackets() {
  static const std::vector<WeightBracket> brackets = {
      {0, 1, {"7.75", "8.25", "18.45", "20.00"}},
      {1, 2, {"8.70", "9.00", "20.70", "22.40"}},
      {2, 3, {"10.20", "10.40", "22.70", "24.30"}},
      {3, 4, {"11.50", "11.75", "24.70", "26.70"}},
      {4, 5, {"13.10", "13.35", "26.70", "28.80"}},
      {5, 6, {"15.25", "15.50", "28.95", "31.20"}},
      {6, 7, {"16.55", "16.80", "30.95", "33.35"}},
      {7, 8, {"18.45", "18.70", "32.95", "35.45"}},
      {8, 9, {"20.05", "20.30", "34.95", "37.60"}},
      {9, 10, {"21.10", "21.60", "36.95", "39.75"}},
      {10, 11, {"22.45", "22.95", "38.95", "42.15"}},
      {11, 12, {"23.75", "24.00", "40.95", "44.00"}},
      {12, 13, {"24.60", "25.35", "42.95", "46.15"}},
      {13, 14, {"26.20", "26.70", "44.70", "48.25"}},
      {14, 15, {"27.50", "28.00", "46.45", "50.15"}},
      {15, 16, {"28.40", "29.35", "47.70", "51.45"}},
      {16, 17, {"29.30", "30.70", "48.95", "53.05"}},
      {17, 18, {"30.20", "32.00", "50.45", "54.40"}},
      {18, 19, {"31.10", "33.60", "51.70", "55.75"}},
      {19, 20, {"32.00", "34.95", "52.95", "57.05"}},
      {20, std::nullopt, {"100.00", "100.00", "100.00", "100.00"}},
  };
  return brackets;
}

PublishedCatalogue publishedCatalogue(const SiteCatalogue& catalogue, std::string project,
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
  const std::vector<StoreCategory>& categories = catalogue.categories();
  for (std::size_t k = 0; k < categories.size(); ++k) {
    for (std::size_t j = 0; j < categories[k].items.size(); ++j) {
      const ItemRecord& item = categories[k].items[j];
      record.items.push_back(
          {item.id, item.description, catalogue.price(k, j), catalogue.weight(k, j)});
    }
  }
  return record;
}

}  // namespace vendaro
