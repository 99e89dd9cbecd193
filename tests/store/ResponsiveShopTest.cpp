#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <stdexcept>
#include <string>

#include "common/ShopRules.h"
#include "store/PublishedRules.h"
#include "store/SiteGenerator.h"
#include "store/StoreSettings.h"
#include "tests/store/StoreTestCatalogue.h"
#include "tests/support/TempFolder.h"

namespace vendaro {
namespace {

namespace fs = std::filesystem;

bool contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

const SitePage& pageNamed(const std::vector<SitePage>& pages, const std::string& file) {
  for (const auto& page : pages) {
    if (page.fileName() == file) return page;
  }
  throw std::runtime_error("no page " + file);
}

// "upTo:cents ... over:cents", to compare a method's bands in one line.
std::string bandsOf(const ShippingMethod& method) {
  std::ostringstream text;
  for (const ShippingMethod::Band& band : method.bands) {
    text << band.upTo << ':' << band.cents << ' ';
  }
  text << "over:" << method.overCents;
  return text.str();
}

std::string ratesOf(const TaxRules& tax) {
  std::ostringstream text;
  for (const TaxRules::Rate& rate : tax.rates) {
    text << (text.tellp() > 0 ? " " : "") << rate.place << ':' << rate.rate;
  }
  return text.str();
}

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
  EXPECT_EQ(bandsOf(settings.shipping.methods[0]), "2:500 10:1250 over:3000");
  EXPECT_EQ(ratesOf(settings.tax), "IL:0.0625 de:0.19");
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

  testing::TempFolder app;
  const PublishedRules rules(input, "Shop", 1765000000);
  const fs::path written = rules.write(app.path());
  EXPECT_EQ(written, app.path() / "published-rules" / "Shop" / "20251206T054640Z.toml");
  const SettingsFile record = SettingsFile::parse(app.read("published-rules/Shop/20251206T054640Z.toml"), "record");
  EXPECT_EQ(record.decimal("published", "tax_rate", 0, 0, 1), 0.0825);
  EXPECT_EQ(ratesOf(TaxRules::read(record)), "IL:0.0625 Quebec \"QC\":0.14975");
  const ShippingRules shipping = ShippingRules::read(record);
  ASSERT_EQ(shipping.methods.size(), 4u);
  for (std::size_t m = 0; m < 4; ++m) {
    EXPECT_EQ(shipping.methods[m].name, input.shipping.methods[m].name);
    EXPECT_EQ(bandsOf(shipping.methods[m]), bandsOf(input.shipping.methods[m]));
  }
}

}  // namespace
}  // namespace vendaro
