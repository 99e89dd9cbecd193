#include <gtest/gtest.h>
#include <toml++/toml.h>

#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "common/ColorText.h"
#include "common/CsvText.h"
#include "common/DataLists.h"
#include "common/ListFilling.h"
#include "common/ListReordering.h"
#include "common/MailValues.h"
#include "common/NumberText.h"
#include "common/PageAnalysis.h"
#include "common/PublishedCatalogue.h"
#include "common/TextFile.h"
#include "common/TextSearch.h"
#include "platform/sqlite/SqliteDatabase.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestDatabase.h"

namespace vendaro {
namespace {

using Entries = std::vector<std::string>;

void fill(ListControl& list, const Entries& entries, int selected = -1) {
  for (const auto& entry : entries) list.AddItem(entry);
  list.setListIndex(selected);
}

TEST(ColorToHtmlTest, LowByteIsRed) {
  EXPECT_EQ(ColorToHtml(0x0080FF), "#FF8000");
  // Bits above the 24 colour bits are ignored.
  EXPECT_EQ(ColorToHtml(static_cast<std::int32_t>(0x800000FFu)), "#FF0000");
  EXPECT_EQ(ColorToHtml(-1), "#FFFFFF");
}

TEST(MoveItemTest, TheSelectedEntryMovesWithItsSelectionButNotPastTheEnds) {
  ListControl list;
  fill(list, {"a", "b", "c", "d"}, 1);
  MoveItemDown(list);
  EXPECT_EQ(list.items(), (Entries{"a", "c", "b", "d"}));
  EXPECT_EQ(list.ListIndex(), 2);
  MoveItemUp(list);
  MoveItemUp(list);
  MoveItemUp(list);  // already first: stays
  EXPECT_EQ(list.items(), (Entries{"b", "a", "c", "d"}));
  EXPECT_EQ(list.ListIndex(), 0);

  list.setListIndex(3);
  MoveItemDown(list);  // already last: stays
  EXPECT_EQ(list.ListIndex(), 3);
  list.setListIndex(-1);
  MoveItemDown(list);
  MoveItemUp(list);
  EXPECT_EQ(list.items(), (Entries{"b", "a", "c", "d"}));
  EXPECT_EQ(list.ListIndex(), -1);
}

TEST(CheckDuplicateNameTest, WarnsOnceForEveryExactlyEqualEntry) {
  ListControl combo;
  fill(combo, {"A", "B", "A"});
  testing::ScriptedDialogs dialogs;
  combo.setText("A");
  CheckDuplicateName(combo, dialogs);
  ASSERT_EQ(dialogs.messages.size(), 2u);
  EXPECT_EQ(dialogs.messages[0].text, "You already have the same name , Please choose a new one ");
  EXPECT_EQ(dialogs.messages[0].buttons, MessageButtons::Ok);
  EXPECT_EQ(dialogs.messages[0].title, "");
  EXPECT_EQ(combo.Text(), "A");

  dialogs.messages.clear();
  combo.setText("a");
  CheckDuplicateName(combo, dialogs);
  EXPECT_TRUE(dialogs.messages.empty());
}

TEST(AddUniqueTest, AddsOnceAndComparesLetterCase) {
  Entries list;
  AddUnique("Shop", list);
  AddUnique("Shop", list);
  EXPECT_EQ(list, (Entries{"Shop"}));
  AddUnique("shop", list);
  EXPECT_EQ(list, (Entries{"Shop", "shop"}));
}

TEST(SplitToListTest, PiecesKeepTheSeparatorFoundInAnyCaseAndTheTailIsDropped) {
  Entries list;
  SplitToList("a,b", list, ",");
  EXPECT_EQ(list, (Entries{"a,"}));

  SplitToList("red,green,a,blue", list, ",");
  EXPECT_EQ(list, (Entries{"a,", "red,", "green,"}));

  Entries none;
  SplitToList("no separator here", none, ",");
  SplitToList("", none, ",");
  EXPECT_TRUE(none.empty());

  // The separator is found in any case, and its rest starts the next piece.
  Entries lines;
  SplitToList("one\r\n\r\ntwo\r\n\r\nthree", lines, "\r\n\r\n");
  EXPECT_EQ(lines, (Entries{"one\r", "\n\r\ntwo\r"}));

  Entries letters;
  SplitToList("1x2X3", letters, "x");
  EXPECT_EQ(letters, (Entries{"1x", "2X"}));
  // An empty separator cuts after every character instead of looping forever.
  Entries characters;
  SplitToList("aba", characters, "");
  EXPECT_EQ(characters, (Entries{"a", "b"}));

  // Long texts do not exhaust the stack.
  std::string many;
  for (int i = 0; i < 200000; ++i) many += "k,";
  Entries repeated;
  SplitToList(many, repeated, ",");
  EXPECT_EQ(repeated, (Entries{"k,"}));
}

// The Forms table of a real database file, a data control over it and a box
// bound to its name field.
class DataListsTest : public ::testing::Test {
 protected:
  DataListsTest() : database_(folder_.file("Vendaro2.db")) { forms_.bind(nameBox_, "formName"); }

  void addForm(const DbValue& name) { database_.insertRow("Forms", {{"formName", name}}); }

  testing::TempFolder folder_;
  testing::TestDatabase database_;
  DataControl forms_{database_, "Forms"};
  TextBox nameBox_;
  ListControl list_;
};

TEST_F(DataListsTest, FillReplacesTheListWithEveryRecordInOrder) {
  list_.AddItem("stale");
  FillListFromData(list_, forms_, nameBox_);  // an empty table empties the list
  EXPECT_TRUE(list_.items().empty());
  EXPECT_NO_THROW(FindRecord(forms_, "formName", "Order"));

  addForm("Order");
  addForm("Contact");
  addForm("Survey");
  list_.AddItem("stale");
  FillListFromData(list_, forms_, nameBox_);
  EXPECT_EQ(list_.items(), (Entries{"Order", "Contact", "Survey"}));

  ListControl combo;
  FillComboFromData(combo, forms_, nameBox_);
  EXPECT_EQ(combo.items(), list_.items());
}

TEST_F(DataListsTest, FindLeavesTheMatchingRecordCurrentOrEndsPastTheLast) {
  addForm("Order");
  addForm("Contact");
  addForm("contact");
  addForm(DbValue{});
  forms_.Refresh();
  FindRecord(forms_, "formName", "contact");
  ASSERT_FALSE(forms_.recordset().Eof());
  EXPECT_EQ(nameBox_.Text(), "contact");
  EXPECT_EQ(forms_.recordset().Fields("formName").Value(), DbValue("contact"));

  // A number field matches the text it shows.
  FindRecord(forms_, "formID", "2");
  EXPECT_EQ(nameBox_.Text(), "Contact");

  FindRecord(forms_, "formName", "Survey");
  EXPECT_TRUE(forms_.recordset().Eof());
  // A null field matches no text, not even an empty one.
  FindRecord(forms_, "formName", "");
  EXPECT_TRUE(forms_.recordset().Eof());
  EXPECT_THROW(FindRecord(forms_, "NoSuchField", "x"), DataError);
}

TEST(TextSearchTest, PositionsCountFromOneAndMiddleClipsAtTheEnd) {
  EXPECT_EQ(positionOf("abcabc", "bc"), 2u);
  EXPECT_EQ(positionOf("abcabc", "bc", 3), 5u);
  EXPECT_EQ(positionOf("abcabc", "BC"), 0u);
  EXPECT_EQ(positionOf("abcabc", "BC", 1, LetterCase::Ignore), 2u);
  EXPECT_EQ(positionOf("abc", "x"), 0u);
  EXPECT_EQ(positionOf("abc", "c", 9), 0u);
  EXPECT_TRUE(containsIgnoringCase("Latest News", "news"));
  // Ignoring case: at the very end, from a start, a first character that is
  // no letter, a text shorter than the find.
  EXPECT_EQ(positionOfIgnoringCase("x\r\nNameB=", "\nnameb="), 3u);
  EXPECT_EQ(positionOfIgnoringCase("aXaxAX", "ax", 2), 3u);
  EXPECT_EQ(positionOfIgnoringCase("1@A", "@a"), 2u);
  EXPECT_EQ(positionOfIgnoringCase("ab", "abc"), 0u);
  EXPECT_EQ(positionOfIgnoringCase("[\\", "{|"), 0u);  // folding is for letters only
  // Middle clips at the end.
  EXPECT_EQ(middle("abcdef", 2, 3), "bcd");
  EXPECT_EQ(middle("abcdef", 5, 10), "ef");
  EXPECT_EQ(middle("abcdef", 7, 1), "");
  EXPECT_EQ(middle("abcdef", 3), "cdef");
}

TEST(NumberTextTest, NonNegativeNumbersGetOneLeadingSpace) {
  EXPECT_EQ(numberText(std::int64_t{3}), " 3");
  EXPECT_EQ(numberText(std::int64_t{-3}), "-3");
  EXPECT_EQ(numberText(0.5), " .5");
  EXPECT_EQ(numberText(12.5), " 12.5");
  EXPECT_EQ(trimmedNumberText(12.5), "12.5");
}

// A cell a spreadsheet would run stays text, leading blanks or not; numbers
// stay numbers.
TEST(CsvTextTest, FormulaCellsAreGuardedOnTheirFirstNonBlankCharacter) {
  EXPECT_EQ(csvRow({" =HYPERLINK(\"http://x\")", "\r\n@SUM(A1)", "\tx", "+1+1", "-2+3"}),
            "\"' =HYPERLINK(\"\"http://x\"\")\",\"'\r\n@SUM(A1)\",'\tx,'+1+1,'-2+3\r\n");
  EXPECT_EQ(csvRow({"-2.50", "+3", "12", "a, b", "", " "}), "-2.50,+3,12,\"a, b\",, \r\n");
  EXPECT_TRUE(isPlainNumber("-0.5"));
  EXPECT_FALSE(isPlainNumber("1."));
  EXPECT_FALSE(isPlainNumber("-"));
}

TEST(TextFileTest, WriteReplacesTheWholeFileAndFailsInAMissingFolder) {
  testing::TempFolder folder;
  const auto path = folder.file("list.prv");
  ASSERT_TRUE(writeWholeFile(path, "a much longer first content\r\n"));
  ASSERT_TRUE(writeWholeFile(path, "short\r\n"));
  EXPECT_EQ(readWholeFile(path), "short\r\n");
  const auto files = std::distance(std::filesystem::directory_iterator(folder.path()),
                                   std::filesystem::directory_iterator());
  EXPECT_EQ(files, 1);  // no temporary file left behind

  const auto missing = folder.path() / "missing" / "list.prv";
  EXPECT_FALSE(writeWholeFile(missing, "x"));
  EXPECT_FALSE(readWholeFile(missing).has_value());
}

TEST(GetFieldValueTest, ValueBetweenNameAndTerminatorOrEmpty) {
  EXPECT_EQ(GetFieldValue("NAME=Ann&CITY=Rome&", "CITY", "&"), "Rome");
  EXPECT_EQ(GetFieldValue("X=1;Y=2;", "y", ";"), "2");
  EXPECT_EQ(GetFieldValue("X=;Y=2;", "X", ";"), "");
  // The next field's name as terminator, searched in any letter case.
  EXPECT_EQ(GetFieldValue("NameB=Ann\r\nCityB=Rome\r\n", "nameb", "cityb="), "Ann\r\n");
  // A missing name, terminator or "=" gives nothing.
  EXPECT_EQ(GetFieldValue("X=1;Y=2;", "Z", ";"), "");
  EXPECT_EQ(GetFieldValue("X=1;Y=2", "Y", ";"), "");
  EXPECT_EQ(GetFieldValue("X=1;Y=", "Y", ";"), "");
  EXPECT_EQ(GetFieldValue("", "Y", ";"), "");
  EXPECT_EQ(GetFieldValue("Y 2;", "Y", ";"), "");
}

TEST(GetLineValueTest, RestOfTheFirstLabelledLineEndedByCrLf) {
  const std::string mail =
      "Subject: Online Order\r\nFrom: ann@example.org\r\nNameB=Ann\r\nfrom: other\r\n";
  EXPECT_EQ(GetLineValue(mail, "from:"), " ann@example.org");
  EXPECT_EQ(GetLineValue(mail, "Subject:"), " Online Order");
  EXPECT_EQ(GetLineValue(mail, "NameB="), "Ann");
  EXPECT_EQ(GetLineValue(mail, "To:"), "");
  EXPECT_EQ(GetLineValue("From: ann@example.org", "From:"), "");
  EXPECT_EQ(GetLineValue("From: ann@example.org\n", "From:"), "");
  EXPECT_EQ(GetLineValue("From:", "From:"), "");
}

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
    // Read table by table, and read whole when a table other than the items
    // follows them, as one added by hand.
    for (const std::string& written : {text, text + "\n[notes]\nby = 'hand'\n"}) {
      const Outcome<PublishedCatalogue> back = readPublishedCatalogue(written);
      ASSERT_TRUE(back) << back.error().message;
      ASSERT_EQ(back->items.size(), items.size());
      for (std::size_t k = 0; k < items.size(); ++k) {
        const PublishedItem& read = back->items[k];
        EXPECT_EQ(std::tie(read.id, read.description, read.price, read.weight),
                  std::tie(items[k].id, items[k].description, items[k].price, items[k].weight));
      }
      EXPECT_EQ(back->salesTaxRate, "0.0825");
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

  // Its tax table moved after the items: the record is read whole.
  const std::string text = app.read(first);
  const std::size_t tax = text.find("[tax]");
  const std::size_t taxEnd = text.find("\n\n", tax);
  ASSERT_NE(taxEnd, std::string::npos);
  app.write(first, text.substr(0, tax) + text.substr(taxEnd + 2) + "\n" +
                       text.substr(tax, taxEnd - tax) + "\n");
  EXPECT_TRUE(recordPublishedCatalogue(app.path(), shop));
  EXPECT_EQ(recordCount(), 2u) << "rules after the items are found";

  shop.items[0].price = "23.40";
  EXPECT_TRUE(recordPublishedCatalogue(app.path(), shop));
  EXPECT_EQ(recordCount(), 3u);
}

}  // namespace
}  // namespace vendaro
