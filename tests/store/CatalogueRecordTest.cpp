#include "store/CatalogueRecord.h"

#include <gtest/gtest.h>

#include <regex>
#include <sstream>

#include "store/GenerateCommand.h"
#include "store/OrderPages.h"
#include "tests/support/TempFolder.h"

namespace vendaro {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;

std::vector<PublishedCatalogue> recordsIn(const TempFolder& app) {
  std::vector<std::string> problems;
  std::vector<PublishedCatalogue> records = readPublishedCatalogues(app.path(), problems);
  EXPECT_EQ(problems, std::vector<std::string>{});
  return records;
}

TEST(CatalogueRecordTest, EachChangedGenerationAddsARecordOfWhatItPublished) {
  TempFolder app;
  fs::create_directory(app.path() / "Shop");
  app.write("Shop/Shop.caa", "Cups\r\n");
  app.write("Shop/Cups.pro", "A1^Blue \"cup\"^1,50^^^Acme^0.5^\r\nA2^Red cup^2^^^^^\r\n");
  GenerateOptions options;
  options.appFolder = app.path();
  options.project = "Shop";
  options.weight = true;
  std::ostringstream out, err;
  const VendorSettings vendor;
  const StoreSettings settings;
  ASSERT_EQ(runGenerateCommand(options, vendor, settings, out, err), 0) << err.str();
  ASSERT_EQ(runGenerateCommand(options, vendor, settings, out, err), 0) << err.str();

  std::vector<PublishedCatalogue> records = recordsIn(app);
  ASSERT_EQ(records.size(), 1u) << "an unchanged generation adds no record";
  const PublishedCatalogue& first = records[0];
  EXPECT_EQ(first.project, "Shop");
  EXPECT_TRUE(std::regex_match(first.generatedAt,
                               std::regex(R"(\d{4}-\d\d-\d\dT\d\d:\d\d:\d\dZ)")));
  EXPECT_EQ(first.salesTaxRate, "0.0825");
  EXPECT_TRUE(first.shippingByWeight);
  EXPECT_EQ(first.weightBrackets.size(), weightShippingBrackets().size());
  // Prices and weights as the script got them: the decimal comma made a point.
  ASSERT_EQ(first.items.size(), 2u);
  EXPECT_EQ(first.items[0].description, "Blue \"cup\"");
  EXPECT_EQ(first.items[0].price, "1.50");
  EXPECT_EQ(first.items[0].weight, "0.5");
  EXPECT_EQ(first.items[1].weight, "");

  // A new price is a new record; the old one stays.
  app.write("Shop/Cups.pro", "A1^Blue \"cup\"^1.75^^^Acme^0.5^\r\nA2^Red cup^2^^^^^\r\n");
  options.weight = false;
  ASSERT_EQ(runGenerateCommand(options, vendor, settings, out, err), 0) << err.str();
  records = recordsIn(app);
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[0].items[0].price, "1.50");
  EXPECT_EQ(records[1].items[0].price, "1.75");
  EXPECT_FALSE(records[1].shippingByWeight);
  EXPECT_TRUE(records[1].weightBrackets.empty());

  // A record that cannot be kept is said, and the pages stay written.
  fs::remove_all(app.path() / kPublishedFolder);
  app.write(kPublishedFolder, "a file in the way");
  std::ostringstream warned;
  app.write("Shop/Cups.pro", "A1^Blue cup^3^^^^^\r\n");
  EXPECT_EQ(runGenerateCommand(options, vendor, settings, out, warned), 0);
  EXPECT_NE(warned.str().find("warning: what the pages publish could not be recorded"),
            std::string::npos)
      << warned.str();
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
