#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>

#include "common/ShopRules.h"
#include "store/GenerateCommand.h"
#include "store/CatalogueRecord.h"
#include "store/SiteGenerator.h"
#include "store/StoreSettings.h"
#include "tests/store/StoreTestCatalogue.h"
#include "tests/support/TempFolder.h"

namespace vendaro {
namespace {

namespace fs = std::filesystem;

using testing::contains;
using testing::pageNamed;

std::string settingsError(const std::string& text) {
  try {
    (void)StoreSettings::read(SettingsFile::parse(text, "vendaro.toml"));
  } catch (const SettingsError& error) {
    return error.what();
  }
  return "";
}

TEST(ShopRulesTest, SettingsAreReadAndBadRulesAreRefusedNamingTheLine) {
  const SettingsFile file = SettingsFile::parse(
      "[merchant]\nname = \"Kestrel Tools\"\naddress = [\"1 Main St\", \"Springfield\"]\n"
      "currency = \"EUR\"\nterms = \"\"\"\nReturns in 30 days.\n\nNo refunds on sale items.\"\"\"\n"
      "[tax.rates]\nIL = 0.0625\n\"de\" = 0.19\n"
      "[[shipping.methods]]\nname = \"Courier\"\ndelivery = \"1 day\"\n"
      "bands = [[2, 5], [10, 12.5]]\nover = 30\n"
      "[payment]\nlink = \"https://pay.example/?amount={amount}&ref={reference}\"\n",
      "vendaro.toml");
  const StoreSettings settings = StoreSettings::read(file);
  EXPECT_TRUE(file.unreadKeys().empty()) << file.unreadKeys().front();
  EXPECT_EQ(settings.merchant.shopName(), "Kestrel Tools");
  EXPECT_EQ(settings.merchant.address, (std::vector<std::string>{"1 Main St", "Springfield"}));
  EXPECT_EQ(settings.merchant.terms, "Returns in 30 days.\n\nNo refunds on sale items.");
  ASSERT_EQ(settings.shipping.methods.size(), 1u);
  const ShippingMethod& courier = settings.shipping.methods[0];
  EXPECT_EQ(courier.chargeCents(2), 500);
  EXPECT_EQ(courier.chargeCents(2.001), 1250);
  EXPECT_EQ(courier.chargeCents(10.5), 3000);
  EXPECT_EQ(settings.tax.rateFor(" il ", "US", 0.0825), 0.0625);
  EXPECT_EQ(settings.tax.rateFor("Bavaria", "DE", 0.0825), 0.19);
  EXPECT_EQ(settings.tax.rateFor("", "", 0.0825), 0.0825);
  EXPECT_EQ(StoreSettings::read(SettingsFile::parse("", "x")).merchant.currency, "$");

  EXPECT_TRUE(contains(settingsError("[tax.rates]\nIL = 6.25\n"),
                       "vendaro.toml:2: [tax.rates] IL must be a number from 0 to 1"));
  EXPECT_TRUE(contains(settingsError("[[shipping.methods]]\nname = \"A\"\nbands = [[5, 1], [2, 3]]\n"),
                       "vendaro.toml:3: [shipping] A: the bands must go up by weight"));
  EXPECT_TRUE(contains(settingsError("[[shipping.methods]]\nbands = [[5, 1]]\n"), "needs a name"));
  EXPECT_TRUE(contains(settingsError("[[shipping.methods]]\nname = \"A\"\nbands = [5, 1]\n"),
                       "each band is [up to weight, price]"));
  EXPECT_TRUE(contains(settingsError(std::string("[shipping]\nmethods = [") +
                                     "{name=\"a\"},{name=\"b\"},{name=\"c\"},{name=\"d\"},{name=\"e\"}]\n"),
                       "at most four methods"));
  EXPECT_TRUE(contains(settingsError("[payment]\nlink = \"javascript:pay()\"\n"),
                       "[payment] link must be an http or https address"));
  EXPECT_TRUE(contains(settingsError("[merchant]\nname = \"A\\u0007\"\n"), "[merchant] name"));
}

TEST(ShopRulesTest, TheBuiltInShippingTableAndTaxRoundingAreThoseOfTheFramedPages) {
  const ShippingRules rules = ShippingRules::builtIn();
  ASSERT_EQ(rules.methods.size(), 4u);
  const ShippingMethod& saver = rules.methods[0];
  const ShippingMethod& priority = rules.methods[3];
  EXPECT_EQ(saver.chargeCents(0), 0);
  EXPECT_EQ(saver.chargeCents(-1), 0);
  EXPECT_EQ(saver.chargeCents(0.25), 775);
  EXPECT_EQ(saver.chargeCents(1), 775);
  EXPECT_EQ(saver.chargeCents(1.0001), 870);
  EXPECT_EQ(rules.methods[2].chargeCents(4.25), 2670);
  EXPECT_EQ(priority.chargeCents(20), 5705);
  EXPECT_EQ(priority.chargeCents(20.01), 10000);
  // 96.74 x 0.0825 = 7.98105; half a cent rounds up.
  EXPECT_EQ(taxCents(9674, 0.0825), 798);
  EXPECT_EQ(taxCents(1000, 0.0825), 83);
  EXPECT_EQ(taxCents(0, 0.0825), 0);
}

StoreInput responsiveCatalogue() {
  StoreInput input = testing::smallCatalogue();
  input.layout = SiteLayout::Responsive;
  input.pictureUrl = true;
  input.manufacturer = true;
  input.weight = true;
  input.shipping = ShippingRules::builtIn();
  input.merchant.name = "Shoes & <Hats>";
  input.categories[0].items[1].description = "Walking shoe </script><b>new</b>";
  input.categories.push_back({"Shoes!", {{"S-100", "Twin id", "3", "", "", "", ""}}});
  return input;
}

TEST(ResponsiveShopTest, PagesAreFramelessEscapedAndNamedSafely) {
  std::vector<GeneratorReport> reports;
  const std::vector<SitePage> pages = generateSite(responsiveCatalogue(), reports);
  std::vector<std::string> files;
  for (const SitePage& page : pages) files.push_back(page.fileName());
  EXPECT_EQ(files, (std::vector<std::string>{
                       "index.html", "c-shoes.html", "c-hats.html", "c-bags.html",
                       "c-shoes-2.html", "p-shoes-s-100.html", "p-shoes-s-200.html",
                       "p-bags-b-1.html", "p-shoes-2-s-100.html", "basket.html", "checkout.html",
                       "terms.html", "privacy.html", "catalogue.js", "shop.js", "shop.css"}));
  for (const SitePage& page : pages) {
    EXPECT_FALSE(contains(page.text, "document.write")) << page.fileName();
    if (page.extension != ".html") continue;
    EXPECT_TRUE(page.text.starts_with("<!DOCTYPE html>\r\n<html lang=\"en\"")) << page.fileName();
    EXPECT_TRUE(contains(page.text, "<meta name=\"viewport\"")) << page.fileName();
    EXPECT_TRUE(contains(page.text, "<link rel=\"icon\" href=\"data:,\">")) << "no favicon.ico asked";
    EXPECT_TRUE(contains(page.text, "<title>")) << page.fileName();
    EXPECT_TRUE(contains(page.text, "<meta name=\"description\" content=\"")) << page.fileName();
    EXPECT_FALSE(contains(page.text, "<b>new")) << page.fileName();
    EXPECT_FALSE(contains(page.text, "rel=\"canonical\"")) << "no address, no canonical link";
    EXPECT_LT(page.text.size(), 100u * 1024) << page.fileName();
  }
  const std::string& product = pageNamed(pages, "p-shoes-s-200.html").text;
  EXPECT_TRUE(contains(product, "\"name\":\"Walking shoe \\u003c/script>\\u003cb>new\\u003c/b>\""));
  EXPECT_TRUE(contains(product, "<h1>Walking shoe &lt;/script&gt;&lt;b&gt;new&lt;/b&gt;</h1>"));
  EXPECT_TRUE(contains(product, "\"price\":\"12.00\""));
  EXPECT_TRUE(contains(product, "\"priceCurrency\":\"USD\""));
  EXPECT_TRUE(contains(product, "<title>Walking shoe &lt;/script&gt;&lt;b&gt;new&lt;/b&gt; | "
                                "Shoes &amp; &lt;Hats&gt;</title>"));
  EXPECT_TRUE(contains(product, "loading=\"eager\""));
  EXPECT_TRUE(contains(pageNamed(pages, "c-shoes.html").text,
                       "width=\"400\" height=\"300\" loading=\"lazy\""));

  const std::string& data = pageNamed(pages, "catalogue.js").text;
  EXPECT_TRUE(contains(data, "{\"key\":\"shoes-s-100\",\"id\":\"S-100\",\"name\":\"Running shoe\","
                             "\"price\":4995,\"weight\":0.5,\"page\":\"p-shoes-s-100.html\"}"));
  EXPECT_TRUE(contains(data, "\"price\":12050,\"weight\":20,"));
  EXPECT_TRUE(contains(data, "\"tax\":{\"rate\":0.0825,\"rates\":{}}"));
  EXPECT_TRUE(contains(data, "{\"name\":\"FedEx Saver\",\"intake\":\"Saver\",\"bands\":[[1,775],"));

  // The merchant's form start already holds DESCRIPTION and AMOUNT: not twice.
  const std::string& checkout = pageNamed(pages, "checkout.html").text;
  EXPECT_TRUE(contains(checkout, "<form ACTION=\"mailto:orders@shop.example?subject=Online Order\""));
  EXPECT_EQ(checkout.find("name=\"AMOUNT\""), checkout.rfind("name=\"AMOUNT\""));
  EXPECT_FALSE(contains(checkout, "CCNumber"));
  for (const char* name : {"NameS", "NameB", "StateS", "ZIPS", "PhoneE", "PhoneD", "E_Mail1", "T2",
                           "V1", "V4", "T3", "T6"}) {
    EXPECT_TRUE(contains(checkout, std::string("name=\"") + name + "\"")) << name;
  }
}

// An item counted at 0 shows "Sold out" and cannot be put in the basket, on
// its category page and its own page; counted items with stock, and the
// framed layouts, are as without counts.
TEST(ResponsiveShopTest, AnItemAtNoneOnHandIsSoldOut) {
  StoreInput input = responsiveCatalogue();
  std::vector<GeneratorReport> reports;
  const std::vector<SitePage> uncounted = generateSite(input, reports);
  input.stock = {{"S-100", 0}, {"S-200", 4}};
  const std::vector<SitePage> counted = generateSite(input, reports);
  const std::string& category = pageNamed(counted, "c-shoes.html").text;
  const std::size_t soldOut = category.find("<p><strong>Sold out</strong></p>");
  ASSERT_NE(soldOut, std::string::npos);
  EXPECT_LT(soldOut, category.find("data-key=\"shoes-s-100\""));
  EXPECT_EQ(soldOut, category.rfind("<p><strong>Sold out</strong></p>")) << "S-200 has four";
  EXPECT_NE(category.find("required disabled></div>\r\n<button type=\"submit\" disabled>"),
            std::string::npos);
  EXPECT_TRUE(contains(pageNamed(counted, "p-shoes-s-100.html").text, "Sold out"));
  EXPECT_EQ(pageNamed(counted, "p-shoes-s-200.html").text,
            pageNamed(uncounted, "p-shoes-s-200.html").text);

  input.layout = SiteLayout::BannerAndContents;
  const std::vector<SitePage> framed = generateSite(input, reports);
  input.stock.clear();
  const std::vector<SitePage> framedUncounted = generateSite(input, reports);
  ASSERT_EQ(framed.size(), framedUncounted.size());
  for (std::size_t page = 0; page < framed.size(); ++page) {
    EXPECT_EQ(framed[page].text, framedUncounted[page].text) << framed[page].fileName();
  }
}

TEST(ResponsiveShopTest, CanonicalAddressesAndARecordOfTheRulesThatReadsBack) {
  StoreInput input = responsiveCatalogue();
  input.siteAddress = "https://shop.example/store";
  input.tax.rates = {{"IL", 0.0625}, {"Quebec \"QC\"", 0.14975}};
  std::vector<GeneratorReport> reports;
  const std::vector<SitePage> pages = generateSite(input, reports);
  EXPECT_TRUE(contains(pageNamed(pages, "c-bags.html").text,
                       "<link rel=\"canonical\" href=\"https://shop.example/store/c-bags.html\">"));
  EXPECT_TRUE(contains(pageNamed(pages, "p-bags-b-1.html").text,
                       "\"url\":\"https://shop.example/store/p-bags-b-1.html\""));

  // The record of what was published holds the checkout's own rules.
  const PublishedCatalogue published =
      publishedCatalogue(SiteCatalogue(input), "Shop", "2025-12-06T05:46:40Z");
  const Outcome<PublishedCatalogue> record =
      readPublishedCatalogue(publishedCatalogueText(published));
  ASSERT_TRUE(record) << record.error().message;
  EXPECT_EQ(record->checkout, PublishedCatalogue::Checkout::Responsive);
  EXPECT_TRUE(record->weightBrackets.empty());
  EXPECT_EQ(record->taxRates.rateFor("Quebec \"QC\"", "", 0), 0.14975);
  EXPECT_EQ(record->taxRates.rateFor("il", "", 0), 0.0625);
  ASSERT_EQ(record->shippingMethods.size(), 4u);
  for (std::size_t m = 0; m < 4; ++m) {
    EXPECT_EQ(record->shippingMethods[m].name, input.shipping.methods[m].name);
    for (const double weight : {0.5, 7.0, 19.5, 25.0}) {
      EXPECT_EQ(record->shippingMethods[m].chargeCents(weight),
                input.shipping.methods[m].chargeCents(weight));
    }
  }
}

// A rules record of an earlier version (published-rules/PROJECT/TIME.toml,
// the sections of vendaro.toml) is joined to the catalogue recorded with it.
TEST(ResponsiveShopTest, AnEarlierRulesRecordIsReadWithItsCatalogue) {
  testing::TempFolder app;
  PublishedCatalogue catalogue;
  catalogue.project = "Shop";
  catalogue.generatedAt = "2025-12-06T05:46:39Z";
  catalogue.salesTaxRate = "0.05";
  catalogue.shippingByWeight = true;
  catalogue.items = {{"A1", "Cup", "1.50", "0.5"}};
  ASSERT_TRUE(recordPublishedCatalogue(app.path(), catalogue));
  fs::create_directories(app.path() / "published-rules" / "Shop");
  fs::create_directories(app.path() / "published-rules" / "Other");
  app.write("published-rules/Shop/20251206T054640Z.toml",
            "[published]\nproject = \"Shop\"\ngenerated = 2025-12-06T05:46:40Z\n"
            "layout = \"responsive\"\ntax_rate = 0.05\nshipping_by_weight = true\n\n"
            "[tax.rates]\n\"IN\" = 0.07\n\n[[shipping.methods]]\nname = \"Post\"\n"
            "bands = [[1, 4.5], [5, 9.95]]\nover = 20\n");
  app.write("published-rules/Other/20251206T054640Z.toml", "[published]\n");
  std::vector<std::string> problems;
  const std::vector<PublishedCatalogue> records = readPublishedCatalogues(app.path(), problems);
  EXPECT_TRUE(problems.empty());
  ASSERT_EQ(records.size(), 2u);
  const PublishedCatalogue& joined = records[1];
  EXPECT_EQ(joined.checkout, PublishedCatalogue::Checkout::Responsive);
  EXPECT_EQ(joined.generatedAt, "2025-12-06T05:46:40Z");
  EXPECT_EQ(joined.items.size(), 1u);
  EXPECT_EQ(joined.taxRates.rateFor("in", "", 0.05), 0.07);
  ASSERT_EQ(joined.shippingMethods.size(), 1u);
  EXPECT_EQ(joined.shippingMethods[0].chargeCents(3), 995);
  EXPECT_EQ(joined.shippingMethods[0].overCents, 2000);
}

// The command writes the responsive site and keeps its rules in the one record.
TEST(ResponsiveShopTest, GenerateCommandWritesTheResponsiveSiteAndItsRulesRecord) {
  testing::TempFolder app;
  fs::create_directory(app.path() / "Shop");
  app.write("Shop/Shop.caa", "Cups\r\n");
  app.write("Shop/Cups.pro", "A1^Blue cup^1.50^^^Acme^0.5^\r\n");
  const GenerateOptions options{
      .appFolder = app.path(), .project = "Shop", .layout = SiteLayout::Responsive};
  std::ostringstream out, err;
  ASSERT_EQ(runGenerateCommand(options, VendorSettings{}, StoreSettings{}, out, err), 0)
      << err.str();
  std::vector<std::string> problems;
  const std::vector<PublishedCatalogue> records = readPublishedCatalogues(app.path(), problems);
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].checkout, PublishedCatalogue::Checkout::Responsive);
  EXPECT_FALSE(fs::exists(app.path() / "published-rules"));
  EXPECT_TRUE(contains(app.read("Shop/c-cups.html"), "Blue cup"));
}

}  // namespace
}  // namespace vendaro
