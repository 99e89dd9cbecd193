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
  std::vector<SitePage> pages;
  generateSite(catalogue, reports, [&pages](SitePage page) { pages.push_back(std::move(page)); });
  return pages;
}

void generateSite(const SiteCatalogue& catalogue, std::vector<GeneratorReport>& reports,
                  const PageSink& take) {
  const StoreInput& input = catalogue.input();
  appendReports(reports, catalogue.itemReports());
  appendReports(reports, catalogue.taxReports());
  if (input.layout == SiteLayout::Responsive) {
    for (SitePage& page : responsiveSitePages(catalogue)) take(std::move(page));
    return;
  }
  const std::string& host = input.vendorHost;
  const auto page = [&take](std::string baseName, std::string text) {
    makeAsciiPage(text);
    take({std::move(baseName), std::move(text)});
  };
  page(input.startFile, startPageText(catalogue));
  if (input.layout == SiteLayout::BannerAndContents) page("fsecond", innerFramesetText(host));
  page("banner", bannerPageText(host));
  page("mmenu", mainMenuText(input));
  page("compinfo", companyInfoPageText(host));
  page("ols", storeTitlePageText(host));
  page("m_products", productsMenuText(input));
  for (std::size_t k = 0; k < input.categories.size(); ++k) {
    page("l_" + input.categories[k].name, productListText(catalogue, k));
  }
  page("basket", basketPageText(catalogue));
  page("order", orderPageText(catalogue, OrderPage::EmailCard));
  page("order_cod", orderPageText(catalogue, OrderPage::CashOnDelivery));
  page("order_cc", orderPageText(catalogue, OrderPage::GatewayCard));
  page("select_payment", input.template11);
  page("complect", selectionPageText(catalogue));
  if (!input.orderScriptAddress.empty()) {
    take({"order", orderScriptText(input.orderScriptAddress), ".php"});
  }
}

}  // namespace vendaro
