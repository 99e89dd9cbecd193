#include "store/GenerateCommand.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <regex>
#include <sstream>

#include "store/CatalogueRecord.h"
#include "store/OrderPages.h"
#include "tests/store/StoreTestCatalogue.h"
#include "tests/support/RequiredTool.h"
#include "tests/support/TempFolder.h"

namespace vendaro {
namespace {

namespace fs = std::filesystem;
using testing::contains;
using testing::TempFolder;

std::vector<PublishedCatalogue> recordsIn(const TempFolder& app) {
  std::vector<std::string> problems;
  std::vector<PublishedCatalogue> records = readPublishedCatalogues(app.path(), problems);
  EXPECT_EQ(problems, std::vector<std::string>{});
  return records;
}

class GenerateCommandTest : public ::testing::Test {
 protected:
  // A project folder as a merchant might write it by hand.
  void writeProject() {
    fs::create_directory(app.path() / "Shop");
    app.write("Shop/Shop.caa", "Cups\r\nPlates\r\nEmpty\r\n");
    app.write("Shop/Cups.pro", "A1^Blue cup^1.50^^^Acme^0.5^\r\nA2^Red cup^2^^^^1^\r\n");
    app.write("Shop/Plates.pro", "P1^Plate^4^^^^2^\n");
  }

  int run(const std::string& project) {
    options.appFolder = app.path();
    options.project = project;
    return runGenerateCommand(options, vendor, settings, out, err);
  }

  TempFolder app;
  VendorSettings vendor;
  StoreSettings settings;
  GenerateOptions options;
  std::ostringstream out;
  std::ostringstream err;
};

TEST_F(GenerateCommandTest, GeneratesTheWholeSiteOfAHandMadeProject) {
  writeProject();
  ASSERT_EQ(run("Shop"), 0) << err.str();
  // One line per page written; which pages a layout has is the golden tests' subject.
  for (const char* page : {"index.htm", "l_Empty.htm", "complect.htm"}) {
    EXPECT_TRUE(contains(out.str(), "wrote " + (app.path() / "Shop" / page).string() + "\n"))
        << page;
  }
  EXPECT_TRUE(contains(out.str(), "category \"Empty\" has no item file"));
  EXPECT_TRUE(contains(app.read("Shop/index.htm"), "Blue cup"));
  EXPECT_TRUE(contains(app.read("Shop/m_products.htm"), "l_Plates.htm"));
  EXPECT_EQ(err.str(), "");
  // The project files themselves are left as they were.
  EXPECT_EQ(app.read("Shop/Shop.caa"), "Cups\r\nPlates\r\nEmpty\r\n");
  EXPECT_FALSE(fs::exists(app.path() / "Shop" / "Shop.pro"));
}

TEST_F(GenerateCommandTest, UsesTheSettingsFileAndTheLayoutAndPrintsReplacedValues) {
  writeProject();
  const auto settingsFile = [&](const std::string& tax) {
    app.write("Shop/Shop.sit",
              "\r\n\r\n[GoBack]\r\n\r\n\r\n[Font]\r\n<font>\r\n[Table]\r\n<table>\r\n"
              "[Start]\r\nhome\r\n[Tax]\r\n" +
                  tax + "\r\n[Action]\r\n<form>\r\n");
  };
  // The file keeps the rate as a fraction: 7 is 700%, refused, and nothing is written.
  settingsFile("7");
  EXPECT_EQ(run("Shop"), kGenerateFailed);
  EXPECT_TRUE(contains(err.str(), "The sales tax \"700\" is not a percentage between 0 and 100"))
      << err.str();
  EXPECT_FALSE(fs::exists(app.path() / "Shop" / "home.htm"));

  err.str("");
  settingsFile("0.05");
  app.write("Shop/Plates.pro", "P1^Plate^four^^^^2^\r\n");
  options.layout = SiteLayout::ContentsOnly;
  options.weight = true;
  ASSERT_EQ(run("Shop"), 0) << err.str();
  EXPECT_TRUE(fs::exists(app.path() / "Shop" / "home.htm"));
  EXPECT_FALSE(fs::exists(app.path() / "Shop" / "index.htm"));
  EXPECT_FALSE(fs::exists(app.path() / "Shop" / "fsecond.htm"));
  EXPECT_TRUE(contains(out.str(), "replaced: Category \"Plates\", item \"P1\"")) << out.str();
}

// A generation adds a record of what it published (when to add one is the
// record's own test); a record that cannot be kept is a warning.
TEST_F(GenerateCommandTest, AGenerationAddsARecordOfWhatItPublished) {
  writeProject();
  app.write("Shop/Cups.pro", "A1^Blue \"cup\"^1,50^^^Acme^0.5^\r\nA2^Red cup^2^^^^^\r\n");
  options.weight = true;
  ASSERT_EQ(run("Shop"), 0) << err.str();
  std::vector<PublishedCatalogue> records = recordsIn(app);
  ASSERT_EQ(records.size(), 1u);
  const PublishedCatalogue& first = records[0];
  EXPECT_EQ(first.project, "Shop");
  EXPECT_TRUE(std::regex_match(first.generatedAt,
                               std::regex(R"(\d{4}-\d\d-\d\dT\d\d:\d\d:\d\dZ)")));
  EXPECT_EQ(first.salesTaxRate, "0.0825");
  EXPECT_EQ(first.weightBrackets.size(), weightShippingBrackets().size());
  // Prices and weights as the script got them: the decimal comma made a point.
  ASSERT_EQ(first.items.size(), 3u);
  EXPECT_EQ(first.items[0].description, "Blue \"cup\"");
  EXPECT_EQ(first.items[0].price, "1.50");
  EXPECT_EQ(first.items[0].weight, "0.5");
  EXPECT_EQ(first.items[1].weight, "");

  fs::remove_all(app.path() / kPublishedFolder);
  app.write(kPublishedFolder, "a file in the way");
  ASSERT_EQ(run("Shop"), 0) << err.str();
  EXPECT_TRUE(contains(err.str(), "warning: what the pages publish could not be recorded"))
      << err.str();
}

TEST_F(GenerateCommandTest, RepeatedCategoriesAreLeftOutAndEmptyLinesAtTheEndIgnored) {
  writeProject();
  app.write("Shop/Shop.caa", "Cups\r\nPlates\r\nCups\r\n\r\n\r\n");
  ASSERT_EQ(run("Shop"), 0) << err.str();
  EXPECT_TRUE(contains(out.str(),
                       "note: The category \"Cups\" is listed more than once; the "
                       "repeat was left out.\n"))
      << out.str();
  const std::string menu = app.read("Shop/m_products.htm");
  EXPECT_EQ(menu.find("l_Cups.htm"), menu.rfind("l_Cups.htm"));

  err.str("");
  app.write("Shop/Shop.caa", std::string(300, 'c') + "\r\n");
  EXPECT_EQ(run("Shop"), kGenerateFailed);
  EXPECT_TRUE(contains(err.str(), "is too long for a file name (300 characters)")) << err.str();
}

// The responsive site keeps its checkout's rules in the one record.
TEST_F(GenerateCommandTest, TheResponsiveSiteIsWrittenWithItsRulesRecord) {
  writeProject();
  options.layout = SiteLayout::Responsive;
  ASSERT_EQ(run("Shop"), 0) << err.str();
  const std::vector<PublishedCatalogue> records = recordsIn(app);
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].checkout, PublishedCatalogue::Checkout::Responsive);
  EXPECT_FALSE(fs::exists(app.path() / "published-rules"));
  EXPECT_TRUE(contains(app.read("Shop/c-cups.html"), "Blue cup"));
}

// Why a project cannot be read is the service's test; here the command fails
// and says why.
TEST_F(GenerateCommandTest, AMissingProjectOrAnUnreadableFileFails) {
  const auto fails = [&](const std::string& project, const std::string& reason) {
    err.str("");
    EXPECT_NE(run(project), 0);
    EXPECT_TRUE(contains(err.str(), reason)) << err.str();
  };
  fails("Shop", "no project \"Shop\"");
  fails("../Shop", "must not");
  fs::create_directory(app.path() / "Shop");
  fails("Shop", "no category file");
  app.write("Shop/Shop.caa", "Cups\r\n../Plates\r\n");
  fails("Shop", "would leave the project folder");
}

TEST_F(GenerateCommandTest, TheSitemapIsValidXmlListingEveryPage) {
  VENDARO_REQUIRE_TOOL(fs::exists("/usr/bin/xmllint"), "xmllint is not installed (libxml2-utils)");
  writeProject();
  options.sitemapBase = "https://shop.example/a&b";
  ASSERT_EQ(run("Shop"), 0) << err.str();
  const std::string map = (app.path() / "Shop" / "sitemap.xml").string();
  EXPECT_EQ(std::system(("/usr/bin/xmllint --noout '" + map + "'").c_str()), 0);
  const std::string xml = app.read("Shop/sitemap.xml");
  int pages = 0;
  for (const auto& entry : fs::directory_iterator(app.path() / "Shop")) {
    if (entry.path().extension() != ".htm") continue;
    ++pages;
    EXPECT_TRUE(contains(
        xml, "<loc>https://shop.example/a&amp;b/" + entry.path().filename().string() + "</loc>"))
        << entry.path();
  }
  EXPECT_GT(pages, 5);
  EXPECT_EQ(app.read("Shop/robots.txt"),
            "User-agent: *\nAllow: /\nSitemap: https://shop.example/a&b/sitemap.xml\n");
  options.sitemapBase = "ftp://shop.example/";
  EXPECT_EQ(run("Shop"), kGenerateFailed);
}

// The record's charges are the ones the order pages compute with.
TEST(CatalogueRecordTest, TheRecordedChargesAreThoseOfThePagesShippingFunction) {
  const std::string function = shippingFunctionText();
  const std::regex row(
      R"(if \((\d+)< totalW & totalW <=(\d+)\) \{ ?cof=([\d.]+);cof2=([\d.]+);cof3=([\d.]+) ?;cof4=([\d.]+)\})");
  std::vector<WeightBracket> fromPage;
  for (auto match = std::sregex_iterator(function.begin(), function.end(), row);
       match != std::sregex_iterator(); ++match) {
    fromPage.push_back({std::stod((*match)[1]),
                        std::stod((*match)[2]),
                        {(*match)[3], (*match)[4], (*match)[5], (*match)[6]}});
  }
  fromPage.push_back({20, std::nullopt, {"100.00", "100.00", "100.00", "100.00"}});
  EXPECT_NE(function.find("if (totalW > 20) { cof=100.00;cof3=100.00;cof2=100.00;cof4=100.00;}}"),
            std::string::npos);
  const std::vector<WeightBracket>& recorded = weightShippingBrackets();
  ASSERT_EQ(fromPage.size(), recorded.size());
  for (std::size_t i = 0; i < recorded.size(); ++i) {
    EXPECT_EQ(fromPage[i].above, recorded[i].above) << i;
    EXPECT_EQ(fromPage[i].upTo, recorded[i].upTo) << i;
    EXPECT_EQ(fromPage[i].charges, recorded[i].charges) << i;
  }
}

}  // namespace
}  // namespace vendaro
