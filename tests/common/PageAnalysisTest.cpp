#include <gtest/gtest.h>
#include <toml++/toml.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "common/PageAnalysis.h"
#include "common/PublishedCatalogue.h"
#include "tests/support/TempFolder.h"

namespace vendaro {
namespace {

using Entries = std::vector<std::string>;

PageElement meta(const std::string& name, const std::string& content) {
  PageElement element;
  element.tagName = "META";
  element.name = name;
  element.content = content;
  return element;
}

PageElement plain(const std::string& tagName) {
  PageElement element;
  element.tagName = tagName;
  return element;
}

// A body page with these elements and links.
PageDocument pageWith(std::vector<PageElement> all, std::vector<PageLink> links = {}) {
  PageDocument page;
  page.bodyTagName = "BODY";
  page.all = std::move(all);
  page.links = std::move(links);
  return page;
}

PageFrame frameOf(const PageDocument& page) {
  return PageFrame{"", "", std::make_shared<const PageDocument>(page)};
}

std::string row(const std::string& label, const std::string& content) {
  return "<tr><td width='100%' bgcolor='#00FFFF'><small><font face='Arial'>" + label + ": " +
         content + "</font></small></td></tr>";
}

Entries metaRows(const PageDocument* page) {
  Entries list;
  AddMetaReportRows(page, list);
  return list;
}

TEST(AddMetaReportRowsTest, DescriptionsBeforeKeywordsThenTheKeywordsRow) {
  const PageDocument page =
      pageWith({plain("HTML"), meta("Description", "first"), meta("other", "x"),
                meta("DESCRIPTION", "second"), meta("keywords", "a,<b>"),
                meta("description", "late"), meta("KEYWORDS", "late keys")});
  EXPECT_EQ(metaRows(&page), (Entries{row("DESCRIPTION", "first"), row("DESCRIPTION", "second"),
                                      row("KYEWORDS", "a,&lt;b&gt;")}));

  const PageDocument keywordsFirst = pageWith({meta("Keywords", "shop"), meta("description", "d")});
  EXPECT_EQ(metaRows(&keywordsFirst), (Entries{row("KYEWORDS", "shop")}));
  // Only the three spellings count.
  const PageDocument mixed = pageWith({meta("DeScription", "d"), meta("KeyWords", "k")});
  EXPECT_TRUE(metaRows(&mixed).empty());
  EXPECT_TRUE(metaRows(nullptr).empty());
}

TEST(AddMetaReportRowsTest, ContentsOverOneThousandCharactersKeep999) {
  const std::string exact(1000, 'e');
  std::string accented;
  for (int i = 0; i < 1001; ++i) accented += "\xC3\xA9";  // é: characters count, not bytes
  const PageDocument page =
      pageWith({meta("description", std::string(1001, 'd')), meta("description", exact),
                meta("description", accented), meta("keywords", std::string(1500, 'k'))});
  EXPECT_EQ(metaRows(&page),
            (Entries{row("DESCRIPTION", std::string(999, 'd')), row("DESCRIPTION", exact),
                     row("DESCRIPTION", accented.substr(0, 2 * 999)),
                     row("KYEWORDS", std::string(999, 'k'))}));
}

TEST(PageTextsTest, SubmissionHelpersReadLowerCaseNamesOnly) {
  PageDocument page = pageWith(
      {meta("Keywords", "X,Y,"), meta("keywords", " shop, Boots ,SHOP,, rest"),
       meta("Description", "Upper"), meta("description", "lower"), meta("description", "lower")});
  page.title = "Books";
  Entries list;
  AddPageTitle(&page, list);
  AddPageKeywords(&page, list);
  AddPageDescription(&page, list);
  AddPageTitle(&page, list);
  // Keywords trimmed, once in any letter case, the last one kept.
  EXPECT_EQ(list, (Entries{"Books", "shop", "Boots", "rest", "lower"}));

  // A missing document or title adds nothing.
  const PageDocument untitled = pageWith({});
  Entries none;
  AddPageTitle(&untitled, none);
  AddPageKeywords(nullptr, none);
  EXPECT_TRUE(none.empty());
}

TEST(CollectPageLinksTest, FilterMatchesAddressOrTextAndContainedAddressesAreSkipped) {
  const PageDocument news = pageWith({}, {{"http://a.test/1", "Latest News"},
                                          {"http://a.test/news.htm", ""},
                                          {"http://a.test/2", "Shop"}});
  Entries filtered;
  CollectPageLinks(&news, "news", filtered);
  EXPECT_EQ(filtered, (Entries{"http://a.test/1", "http://a.test/news.htm"}));

  const PageDocument page = pageWith({}, {{"http://a.test/x", "x"},
                                          {"HTTP://A.TEST/x", "again"},
                                          {"http://a.test/", "home"},
                                          {"http://b.test/", "other"}});
  Entries list;
  list.push_back("http://b.test/page");
  CollectPageLinks(&page, "", list);
  EXPECT_EQ(list, (Entries{"http://b.test/page", "http://a.test/x"}));
}

TEST(CollectPageLinksTest, FramesetCollectsFromFramesAndSkipsUnreadableOnes) {
  const PageDocument inner = pageWith({}, {{"http://c.test/deep", "deep"}});
  PageDocument first = pageWith({}, {{"http://a.test/", "a"}});
  first.frames.push_back(frameOf(inner));
  const PageDocument third = pageWith({}, {{"http://b.test/", "b"}});

  PageDocument frameset;
  frameset.bodyTagName = "FRAMESET";
  frameset.links = {{"http://ignored.test/", "not in a body"}};
  frameset.frames = {PageFrame{"foreign", "http://other.test/", nullptr}, frameOf(first),
                     frameOf(third)};
  Entries list;
  CollectPageLinks(&frameset, "", list);
  EXPECT_EQ(list, (Entries{"http://a.test/", "http://c.test/deep", "http://b.test/"}));
}

TEST(CollectPageLinksTest, DeeplyNestedFramesStopAndMissingDocumentAddsNothing) {
  PageDocument page = pageWith({}, {{"http://level.test/20", ""}});
  for (int level = 19; level >= 0; --level) {
    PageDocument outer = pageWith({}, {{"http://level.test/" + std::to_string(level), ""}});
    outer.frames.push_back(frameOf(page));
    page = outer;
  }
  Entries list;
  CollectPageLinks(&page, "", list);
  EXPECT_EQ(list.size(), 17u);  // the page itself and 16 levels of frames
  CollectPageLinks(nullptr, "", list);
  EXPECT_EQ(list.size(), 17u);
}

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
