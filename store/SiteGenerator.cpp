#include "store/SiteGenerator.h"

#include "store/AsciiPage.h"
#include "store/BasketPage.h"
#include "store/FramePages.h"
#include "store/OrderPages.h"
#include "store/OrderScript.h"
#include "store/ProductPages.h"
#include "store/ResponsiveSite.h"
#include "store/SiteCatalogue.h"
#include "store/StartPage.h"

namespace vendaro {
namespace {

void appendReports(std::vector<GeneratorReport>& reports,
                   const std::vector<GeneratorReport>& more) {
  reports.insert(reports.end(), more.begin(), more.end());
}

}  // namespace

SitePage generateStartPage(const StoreInput& input, std::vector<GeneratorReport>& reports) {
  return generateStartPage(SiteCatalogue(input), reports);
}

std::vector<SitePage> generateSite(const StoreInput& input, std::vector<GeneratorReport>& reports) {
  return generateSite(SiteCatalogue(input), reports);
}

SitePage generateStartPage(const SiteCatalogue& catalogue, std::vector<GeneratorReport>& reports) {
  const StoreInput& input = catalogue.input();
  appendReports(reports, catalogue.itemReports());
  if (input.layout == SiteLayout::Responsive) return responsiveStartPage(catalogue);
  return {input.startFile, asciiPage(startPageText(catalogue))};
}

std::vector<SitePage> generateSite(const SiteCatalogue& catalogue,
                                   std::vector<GeneratorReport>& reports) {
  const StoreInput& input = catalogue.input();
  appendReports(reports, catalogue.itemReports());
  appendReports(reports, catalogue.taxReports());
  if (input.layout == SiteLayout::Responsive) return responsiveSitePages(catalogue);
  const std::string& host = input.vendorHost;

  std::vector<SitePage> pages;
  pages.push_back({input.startFile, startPageText(catalogue)});
  if (input.layout == SiteLayout::BannerAndContents) {
    pages.push_back({"fsecond", innerFramesetText(host)});
  }
  pages.push_back({"banner", bannerPageText(host)});
  pages.push_back({"mmenu", mainMenuText(input)});
  pages.push_back({"compinfo", companyInfoPageText(host)});
  pages.push_back({"ols", storeTitlePageText(host)});
  pages.push_back({"m_products", productsMenuText(input)});
  for (std::size_t k = 0; k < input.categories.size(); ++k) {
    pages.push_back({"l_" + input.categories[k].name, productListText(catalogue, k)});
  }
  pages.push_back({"basket", basketPageText(catalogue)});
  pages.push_back({"order", orderPageText(catalogue, OrderPage::EmailCard)});
  pages.push_back({"order_cod", orderPageText(catalogue, OrderPage::CashOnDelivery)});
  pages.push_back({"order_cc", orderPageText(catalogue, OrderPage::GatewayCard)});
  pages.push_back({"select_payment", input.template11});
  pages.push_back({"complect", selectionPageText(catalogue)});
  for (SitePage& page : pages) makeAsciiPage(page.text);
  if (!input.orderScriptAddress.empty()) {
    pages.push_back({"order", orderScriptText(input.orderScriptAddress), ".php"});
  }
  return pages;
}

}  // namespace vendaro
