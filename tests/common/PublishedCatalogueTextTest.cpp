#include <gtest/gtest.h>
#include <toml++/toml.h>

#include <sstream>

#include "common/PublishedCatalogue.h"
#include "tests/support/TempFolder.h"

namespace vendaro {
namespace {

constexpr std::string_view kHeader =
    "# What the shop generation published; arriving orders are checked against it.\n";

// What the TOML writer itself prints for the document the record holds: the
// record must be written byte for byte as the writer would, whichever items
// take the direct path.
std::string asTheWriterPrintsIt(const std::string& text) {
  std::ostringstream out;
  out << kHeader << toml::parse(text) << "\n";
  return out.str();
}

PublishedCatalogue catalogueOf(std::vector<PublishedItem> items) {
  PublishedCatalogue record;
  record.project = "Shop";
  record.generatedAt = "2026-12-07T12:50:01Z";
  record.salesTaxRate = "0.0825";
  record.shippingByWeight = true;
  record.weightBrackets = {{0, 1.0, {"7.75", "8.25", "18.45", "20.00"}},
                           {1.0, std::nullopt, {"8.70", "9.00", "20.70", "22.40"}}};
  record.items = std::move(items);
  return record;
}

TEST(PublishedCatalogueTextTest, ItemsOfAnyTextOrNoneAreWrittenAsTheWriterWouldAndReadBack) {
  const std::vector<PublishedItem> items = {
      {"T-1", "Hammer, 16 oz / claw", "22.40", "0.5"},
      {"T-2", "Bob's saw", "31.95", ""},
      {"T-3", "Path C:\\tools", "1", "2"},
      {"T-4", "Caf\xC3\xA9 \"noir\"\tmug", "3.50", "0.25"},
      {"T-5", "Plain again", "4", "1"},
  };
  for (const auto checkout :
       {PublishedCatalogue::Checkout::Framed, PublishedCatalogue::Checkout::Responsive}) {
    PublishedCatalogue record = catalogueOf(items);
    record.checkout = checkout;
    if (checkout == PublishedCatalogue::Checkout::Responsive) {
      record.taxRates = {{{"IN", 0.07}}};
      record.shippingMethods = {{"Economy", "3 days", {{1.0, 795}}, 1295}};
    }
    const std::string text = publishedCatalogueText(record);
    EXPECT_EQ(text, asTheWriterPrintsIt(text));
    const Outcome<PublishedCatalogue> back = readPublishedCatalogue(text);
    ASSERT_TRUE(back) << back.error().message;
    ASSERT_EQ(back->items.size(), items.size());
    for (std::size_t k = 0; k < items.size(); ++k) {
      EXPECT_EQ(back->items[k].description, items[k].description);
      EXPECT_EQ(back->items[k].weight, items[k].weight);
    }
  }
  const std::string none = publishedCatalogueText(catalogueOf({}));
  EXPECT_EQ(none, asTheWriterPrintsIt(none));
  EXPECT_NE(none.find("items = []"), std::string::npos);
}

// A generation adds a record only when the project's newest one holds other
// content: the newest record is found past other projects' newer records,
// and one whose text differs (a remark added by hand) is compared by its
// content.
TEST(PublishedCatalogueTextTest, ANewRecordIsWrittenOnlyForNewContent) {
  testing::TempFolder app;
  const auto recordCount = [&app] {
    std::vector<std::string> problems;
    return readPublishedCatalogues(app.path(), problems).size();
  };
  PublishedCatalogue shop = catalogueOf({{"T-1", "Hammer", "22.40", "0.5"}});
  ASSERT_TRUE(recordPublishedCatalogue(app.path(), shop));
  PublishedCatalogue other = catalogueOf({});
  other.project = "Other";
  other.generatedAt = "2026-12-07T13:00:00Z";
  ASSERT_TRUE(recordPublishedCatalogue(app.path(), other));

  shop.generatedAt = "2026-12-07T14:00:00Z";
  EXPECT_TRUE(recordPublishedCatalogue(app.path(), shop));
  EXPECT_EQ(recordCount(), 2u) << "the same content again adds no record";

  // The first record with a remark added, as by hand: other text, same content.
  std::string first;
  for (const auto& entry : std::filesystem::directory_iterator(app.path() / "published")) {
    const std::string name = "published/" + entry.path().filename().string();
    if (first.empty() || name < first) first = name;
  }
  app.write(first, app.read(first) + "# checked by hand\n");
  EXPECT_TRUE(recordPublishedCatalogue(app.path(), shop));
  EXPECT_EQ(recordCount(), 2u) << "a record in another layout is compared by content";

  shop.items[0].price = "23.40";
  EXPECT_TRUE(recordPublishedCatalogue(app.path(), shop));
  EXPECT_EQ(recordCount(), 3u);
}

}  // namespace
}  // namespace vendaro
