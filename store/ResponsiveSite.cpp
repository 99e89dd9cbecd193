#include "store/ResponsiveSite.h"

#include "store/ShopAssets.h"
#include "store/ShopCheckoutPages.h"
#include "store/ShopData.h"
#include "store/ShopPageFrame.h"
#include "store/ShopPaths.h"
#include "store/ShopProductPages.h"

namespace vendaro {
namespace {

constexpr const char* kHtml = ShopPageFrame::kExtension;

SitePage htmlPage(std::string baseName, std::string text) {
  return {std::move(baseName), std::move(text), kHtml};
}

}  // namespace

SitePage responsiveStartPage(const SiteCatalogue& catalogue) {
  const StoreInput& input = catalogue.input();
  const ShopPaths paths(input);
  const ShopPageFrame frame(input, paths);
  const ShopProductPages products(catalogue, paths, frame);
  return htmlPage(input.startFile, products.startPage(input.startFile + kHtml));
}

std::vector<SitePage> responsiveSitePages(const SiteCatalogue& catalogue) {
  const StoreInput& input = catalogue.input();
  const ShopPaths paths(input);
  const ShopPageFrame frame(input, paths);
  const ShopProductPages products(catalogue, paths, frame);
  const ShopCheckoutPages checkout(input, frame);

  std::vector<SitePage> pages;
  pages.push_back(htmlPage(input.startFile, products.startPage(input.startFile + kHtml)));
  for (std::size_t k = 0; k < input.categories.size(); ++k) {
    pages.push_back(htmlPage(paths.categoryPage(k), products.categoryPage(k)));
  }
  for (std::size_t k = 0; k < input.categories.size(); ++k) {
    for (std::size_t j = 0; j < input.categories[k].items.size(); ++j) {
      pages.push_back(htmlPage(paths.productPage(k, j), products.productPage(k, j)));
    }
  }
  pages.push_back(htmlPage("basket", checkout.basketPage()));
  pages.push_back(htmlPage("checkout", checkout.checkoutPage()));
  pages.push_back(
      htmlPage("terms", checkout.textPage("terms.html", "Terms of sale", input.merchant.terms)));
  pages.push_back(
      htmlPage("privacy", checkout.textPage("privacy.html", "Privacy", input.merchant.privacy)));
  pages.push_back({"catalogue", shopDataScript(catalogue, paths), ".js"});
  pages.push_back({"shop", kShopScriptResource, ".js"});
  pages.push_back({"shop", shopStyleSheet(input), ".css"});
  return pages;
}

}  // namespace vendaro
