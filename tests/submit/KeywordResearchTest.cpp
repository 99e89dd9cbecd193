#include "submit/KeywordResearch.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/html/HtmlParser.h"
#include "tests/support/FakeBrowser.h"
#include "tests/support/ManualEventLoop.h"
#include "tests/support/ScriptedDialogs.h"

namespace vendaro::testing {
namespace {

using ::testing::ElementsAre;

std::shared_ptr<const PageDocument> page(const std::string& html, const std::string& url) {
  return std::make_shared<PageDocument>(parseHtmlPage(html, url));
}

class KeywordResearchTest : public ::testing::Test {
 protected:
  KeywordResearchTest() {
    for (const char* keyword : {"shoes", " red socks", "shoes"}) {
      research.Text6.setText(keyword);
      research.Command1_Click();
    }
  }

  ResearchBrowsers makeBrowsers() {
    auto one = std::make_unique<FakeBrowser>();
    auto two = std::make_unique<FakeBrowser>();
    auto three = std::make_unique<FakeBrowser>();
    engine = one.get(), reader2 = two.get(), reader3 = three.get();
    return {std::move(one), std::move(two), std::move(three)};
  }

  ManualEventLoop loop;
  ScriptedDialogs dialogs;
  FakeBrowser* engine = nullptr;
  FakeBrowser* reader2 = nullptr;
  FakeBrowser* reader3 = nullptr;
  KeywordResearch research{loop, dialogs, makeBrowsers(), SearchEngines(SearchEngineSettings{})};
};

TEST_F(KeywordResearchTest, SweepsEveryEngineForEachKeywordAndCollectsMatchingLinks) {
  const std::string webcrawler = "http://www.webcrawler.example/cgi-bin/WebQuery?searchText=";
  engine->pages[webcrawler + "shoes"] =
      page("<a href='/a'>Shoes for all</a><a href='/b'>Hats</a><a href='/shoes/c'></a>",
           "http://r.example/");
  research.Command5_Click();
  for (int i = 0; i < 16; ++i) engine->completeNavigation();

  ASSERT_EQ(engine->navigations.size(), 16u);
  EXPECT_EQ(engine->navigations[0], webcrawler + "shoes");
  EXPECT_EQ(engine->navigations[7],
            "http://search.excite.example/search.gw?s=shoes&c=web&start=0&showSummary=false");
  EXPECT_EQ(engine->navigations[8], webcrawler + "red%20socks");
  EXPECT_EQ(engine->navigations[13],
            "http://search.yahoo.example/bin/query?p=red%20socks"
            "&hc=12&hs=369");
  EXPECT_THAT(research.List2.items(),
              ElementsAre("http://r.example/a", "http://r.example/shoes/c"));
  EXPECT_EQ(research.StatusBar1.panelText(1), " Found  2 links");
  EXPECT_EQ(research.ProgressBar1.Value(), research.ProgressBar1.Max());
  EXPECT_EQ(research.keywordIndex + research.engineIndex, 0);
  EXPECT_FALSE(research.Timer1.Enabled());

  // A busy engine browser makes "Search" do nothing.
  engine->Navigate("elsewhere");
  research.Command5_Click();
  EXPECT_EQ(engine->navigations.size(), 17u);
}

TEST_F(KeywordResearchTest, AnEngineThatNeverAnswersIsAskedAgainThenSkipped) {
  research.Command5_Click();
  loop.advance(KeywordResearch::kWatchdogMs);
  loop.advance(KeywordResearch::kWatchdogMs);
  EXPECT_EQ(engine->navigations.size(), 3u);
  EXPECT_EQ(engine->navigations[2], engine->navigations[0]);
  loop.advance(KeywordResearch::kWatchdogMs);
  EXPECT_EQ(research.StatusBar1.panelText(1), " WebCrawler does not answer, skipped");
  EXPECT_EQ(engine->navigations.back(),
            "http://www.altavista.example/cgi-bin/query?pg=q&q=shoes&stq=10");
  EXPECT_EQ(research.engineIndex, 1);
  EXPECT_EQ(research.ProgressBar1.Value(), 1);
}

// "Add keyword" takes each keyword once, trimmed, and empties the box.
TEST_F(KeywordResearchTest, AddKeywordListsEachKeywordOnceAndEmptiesTheBox) {
  EXPECT_THAT(research.List1.items(), ElementsAre("shoes", "red socks"));
  EXPECT_EQ(research.Text6.Text(), "");
}

// The end is announced once, when both readers are done.
TEST_F(KeywordResearchTest, ReadsWithTwoBrowsersHarvestsAndEndsWithTheMessage) {
  research.List2.AddItems({"http://a.example/", "http://b.example/", "http://c.example/"});
  reader2->pages["http://a.example/"] = page(
      "<title>A shop</title><meta name='keywords' content='red, blue,green'>"
      "<meta name='Description' content='ignored'><meta name='description' content='Best'>",
      "http://a.example/");
  research.Command6_Click();
  EXPECT_THAT(reader2->navigations, ElementsAre("http://a.example/"));
  EXPECT_THAT(reader3->navigations, ElementsAre("http://b.example/"));
  EXPECT_EQ(research.StatusBar1.panelText(1), "Left to read : 1 pages");

  reader2->completeNavigation();  // takes the last link
  EXPECT_THAT(research.List3.items(), ElementsAre("A shop"));
  EXPECT_THAT(research.List4.items(), ElementsAre("Best"));
  EXPECT_THAT(research.List5.items(), ElementsAre("red", "blue", "green"));
  EXPECT_THAT(reader2->navigations, ElementsAre("http://a.example/", "http://c.example/"));
  reader2->completeNavigation();  // a page without title or META
  EXPECT_THAT(research.List3.items(), ElementsAre("A shop"));
  EXPECT_TRUE(dialogs.messageTexts().empty());  // reader 3 is still loading
  loop.advance(KeywordResearch::kWatchdogMs);  // reader 3 times out
  EXPECT_TRUE(research.List2.items().empty());
  EXPECT_EQ(reader3->navigations.size(), 1u);  // never sent to an empty address
  EXPECT_THAT(dialogs.messageTexts(), ElementsAre(KeywordResearch::kReadingDoneMessage));
  EXPECT_EQ(research.ProgressBar2.Value(), 0);
  EXPECT_FALSE(research.Timer2.Enabled() || research.Timer3.Enabled());
}

}  // namespace
}  // namespace vendaro::testing
