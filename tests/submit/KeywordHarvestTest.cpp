#include "submit/KeywordHarvest.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/html/HtmlParser.h"
#include "submit/KeywordResearch.h"
#include "tests/support/FakeBrowser.h"
#include "tests/support/ManualEventLoop.h"
#include "tests/support/ScriptedDialogs.h"

namespace vendaro::testing {
namespace {

using ::testing::ElementsAre;

std::shared_ptr<const PageDocument> page(const std::string& html, const std::string& url) {
  return std::make_shared<PageDocument>(parseHtmlPage(html, url));
}

class KeywordHarvestTest : public ::testing::Test {
 protected:
  KeywordHarvestTest() {
    harvest.setKeywords({"shoes", "red socks"});
    harvest.events.status = [this](const std::string& text) { statuses.push_back(text); };
    harvest.events.enginePassed = [this] { ++enginesPassed; };
    harvest.events.readingOver = [this] { ++readingsOver; };
  }

  ResearchBrowsers makeBrowsers() {
    auto one = std::make_unique<FakeBrowser>();
    auto two = std::make_unique<FakeBrowser>();
    auto three = std::make_unique<FakeBrowser>();
    engine = one.get(), reader2 = two.get(), reader3 = three.get();
    return {std::move(one), std::move(two), std::move(three)};
  }

  ManualEventLoop loop;
  FakeBrowser* engine = nullptr;
  FakeBrowser* reader2 = nullptr;
  FakeBrowser* reader3 = nullptr;
  std::vector<std::string> statuses;
  int enginesPassed = 0;
  int readingsOver = 0;
  KeywordHarvest harvest{loop, makeBrowsers(), SearchEngines(SearchEngineSettings{})};
};

TEST_F(KeywordHarvestTest, SweepsEveryEngineForEachKeywordAndQueuesMatchingLinks) {
  const std::string webcrawler = "http://www.webcrawler.example/cgi-bin/WebQuery?searchText=";
  engine->pages[webcrawler + "shoes"] =
      page("<a href='/a'>Shoes for all</a><a href='/b'>Hats</a><a href='/shoes/c'></a>",
           "http://r.example/");
  bool over = false;
  harvest.events.sweepOver = [&over] { over = true; };
  harvest.sweep();
  for (int i = 0; i < 16; ++i) engine->completeNavigation();

  ASSERT_EQ(engine->navigations.size(), 16u);
  EXPECT_EQ(engine->navigations[0], webcrawler + "shoes");
  EXPECT_EQ(engine->navigations[7],
            "http://search.excite.example/search.gw?s=shoes&c=web&start=0&showSummary=false");
  EXPECT_EQ(engine->navigations[8], webcrawler + "red%20socks");
  EXPECT_THAT(harvest.queue(), ElementsAre("http://r.example/a", "http://r.example/shoes/c"));
  EXPECT_EQ(statuses.back(), " Found  2 links");
  EXPECT_EQ(enginesPassed, 16);
  EXPECT_TRUE(over);
  EXPECT_EQ(harvest.keywordIndex() + harvest.engineIndex(), 0);
  EXPECT_FALSE(harvest.watching(1));

  // A busy engine browser makes a sweep do nothing.
  engine->Navigate("elsewhere");
  harvest.sweep();
  EXPECT_EQ(engine->navigations.size(), 17u);
}

TEST_F(KeywordHarvestTest, AnEngineThatNeverAnswersIsAskedAgainThenSkipped) {
  harvest.sweep();
  loop.advance(KeywordHarvest::kWatchdogMs);
  loop.advance(KeywordHarvest::kWatchdogMs);
  EXPECT_EQ(engine->navigations.size(), 3u);
  EXPECT_EQ(engine->navigations[2], engine->navigations[0]);
  loop.advance(KeywordHarvest::kWatchdogMs);
  EXPECT_THAT(statuses, ElementsAre(" WebCrawler does not answer, skipped"));
  EXPECT_EQ(engine->navigations.back(),
            "http://www.altavista.example/cgi-bin/query?pg=q&q=shoes&stq=10");
  EXPECT_EQ(harvest.engineIndex(), 1);
  EXPECT_EQ(enginesPassed, 1);
}

// The end is told once, when both readers are done; a reader is never sent
// to an empty address.
TEST_F(KeywordHarvestTest, ReadsWithTwoBrowsersHarvestsAndTellsTheEndOnce) {
  const std::string first = "http://www.webcrawler.example/cgi-bin/WebQuery?searchText=shoes";
  engine->pages[first] = page(
      "<a href='http://a.example/'>shoes</a><a href='http://b.example/'>"
      "shoes</a><a href='http://c.example/'>shoes</a>",
      "http://r.example/");
  harvest.sweep();
  engine->completeNavigation();
  reader2->pages["http://a.example/"] = page(
      "<title>A shop</title><meta name='keywords' content='red, blue,green'>"
      "<meta name='Description' content='ignored'><meta name='description' content='Best'>",
      "http://a.example/");
  harvest.read();
  EXPECT_THAT(reader2->navigations, ElementsAre("http://a.example/"));
  EXPECT_THAT(reader3->navigations, ElementsAre("http://b.example/"));
  EXPECT_EQ(statuses.back(), "Left to read : 1 pages");

  reader2->completeNavigation();  // takes the last link
  EXPECT_THAT(harvest.harvest().titles, ElementsAre("A shop"));
  EXPECT_THAT(harvest.harvest().descriptions, ElementsAre("Best"));
  EXPECT_THAT(harvest.harvest().keywords, ElementsAre("red", "blue", "green"));
  reader2->completeNavigation();              // a page without title or META
  EXPECT_EQ(readingsOver, 0);                 // reader 3 is still loading
  loop.advance(KeywordHarvest::kWatchdogMs);  // reader 3 times out
  EXPECT_TRUE(harvest.queue().empty());
  EXPECT_EQ(reader3->navigations.size(), 1u);
  EXPECT_EQ(readingsOver, 1);
  EXPECT_FALSE(harvest.watching(2) || harvest.watching(3));
  harvest.read();
  EXPECT_EQ(readingsOver, 2);
}

// The window shows what the harvest tells: each keyword once, the queue
// shrinking as it is read, the harvest, and the end in a message.
TEST(KeywordResearchWindow, ListsFollowTheHarvest) {
  ManualEventLoop loop;
  ScriptedDialogs dialogs;
  auto engineBrowser = std::make_unique<FakeBrowser>();
  auto readerBrowser = std::make_unique<FakeBrowser>();
  FakeBrowser& engine = *engineBrowser;
  FakeBrowser& reader = *readerBrowser;
  KeywordResearch research(
      loop, dialogs,
      {std::move(engineBrowser), std::move(readerBrowser), std::make_unique<FakeBrowser>()},
      SearchEngines(SearchEngineSettings{}, {"webcrawler"}));
  for (const char* keyword : {"shoes", " shoes ", ""}) {
    research.Text6.setText(keyword);
    research.Command1_Click();
  }
  EXPECT_THAT(research.List1.items(), ElementsAre("shoes"));
  EXPECT_EQ(research.Text6.Text(), "");
  engine.pages["http://www.webcrawler.example/cgi-bin/WebQuery?searchText=shoes"] =
      page("<a href='http://a.example/shoes'>x</a>", "http://r.example/");
  reader.pages["http://a.example/shoes"] = page("<title>T</title>", "http://a.example/shoes");
  research.Command5_Click();
  engine.completeNavigation();
  EXPECT_THAT(research.List2.items(), ElementsAre("http://a.example/shoes"));
  EXPECT_EQ(research.ProgressBar1.Value(), research.ProgressBar1.Max());
  research.Command6_Click();
  EXPECT_TRUE(research.List2.items().empty());
  reader.completeNavigation();
  EXPECT_THAT(research.List3.items(), ElementsAre("T"));
  EXPECT_THAT(dialogs.messageTexts(), ElementsAre(KeywordHarvest::kReadingDoneMessage));
  EXPECT_EQ(research.ProgressBar2.Value(), 0);
}

}  // namespace
}  // namespace vendaro::testing
