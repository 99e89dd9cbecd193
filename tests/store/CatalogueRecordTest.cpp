#include "store/CatalogueRecord.h"

#include <gtest/gtest.h>

#include <regex>

#include "store/OrderPages.h"

namespace vendaro {
namespace {

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
