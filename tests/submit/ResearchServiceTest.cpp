#include "submit/ResearchService.h"

#include <gtest/gtest.h>

#include "submit/ResearchCommand.h"
#include "tests/support/LocalHttpServer.h"
#include "tests/support/TempFolder.h"

namespace vendaro::testing {
namespace {

SearchEngineSettings engineSettings(const std::string& text) {
  return SearchEngineSettings::read(SettingsFile::parse(text, "vendaro.toml"));
}

Outcome<ResearchRun> research(const ResearchOptions& options, const SearchEngineSettings& settings,
                              std::vector<std::string>* statuses = nullptr) {
  BlockingEventLoop loop;
  return runResearch(options, settings, researchPageLoaders(loop), loop,
                     [statuses](const std::string& text) {
                       if (statuses) statuses->push_back(text);
                     });
}

// Three engines on loopback, the second one down: the sweep goes past it,
// the pages listed by the others are read and harvested, and the pages made.
TEST(ResearchService, SweepsEnginesOnLoopbackPastOneThatIsDown) {
  LocalHttpServer server;
  RefusingPort down;
  server.page("/cgi-bin/WebQuery?searchText=red%20shoes",
              "<a href='/shop.htm'>Red shoes shop</a><a href='/other.htm'>Other</a>"
              "<a href='/red-gone.htm'>Red, gone</a>");  // a 404: nothing harvested
  server.page("/hot?MT=red%20shoes", "<a href='/red-shoes/best.htm'>Best red shoes</a>");
  server.page("/shop.htm",
              "<title>Red Shoes Shop</title><meta name='description' content='Shoes in red'>"
              "<meta name='keywords' content='red,shoes,cheap'>");
  // Later than the first page, so the harvest has a fixed order.
  server.reply("/red-shoes/best.htm",
               delayedReply(std::chrono::milliseconds(300), "<title>Best & red</title>"));
  const SearchEngineSettings settings = engineSettings(
      "[search_engines]\nwebcrawler = \"" + server.url("") + "\"\naltavista = \"" + down.url("") +
      "\"\nhotbot = \"" + server.url("") + "\"\nhotbot_query = \"/hot?MT={keyword}\"\n");
  TempFolder output;
  const ResearchOptions options{{" red shoes", "red shoes"},
                                {"HotBot", "altavista", "webcrawler"},
                                output.path(),
                                "Acme",
                                true};

  const Outcome<ResearchRun> run = research(options, settings);
  ASSERT_TRUE(run.ok()) << run.error().message;
  EXPECT_EQ(run->harvest.titles, (std::vector<std::string>{"Red Shoes Shop", "Best & red"}));
  EXPECT_EQ(output.read("titles.txt"), "Red Shoes Shop\r\nBest & red\r\n");
  EXPECT_EQ(output.read("descriptions.txt"), "Shoes in red\r\n");
  EXPECT_EQ(output.read("keywords.txt"), "red\r\nshoes\r\ncheap\r\n");
  EXPECT_EQ(run->files.back().entries, 3u);
  EXPECT_EQ(server.requestCount("/other.htm"), 0);
  ASSERT_TRUE(run->pages && run->pages->ok());
  EXPECT_EQ(run->pages->value(), std::vector<std::filesystem::path>{output.path() / "rep000.htm"});
  const std::string page = output.read("rep000.htm");
  EXPECT_NE(page.find("<title>Acme: products and services : red shoes, Red Shoes Shop "
                      "Best &amp; red</title>"),
            std::string::npos)
      << page;
}

// Without keywords nothing is asked; a harvest file that cannot be written
// is named, and no pages are made. (An unknown engine and an output that is
// no folder are refused with their messages by the research program's test.)
TEST(ResearchService, AHarvestFileThatCannotBeWrittenIsNamedAndNoPagesAreMade) {
  TempFolder folder;
  std::filesystem::create_directory(folder.path() / "descriptions.txt");
  const Outcome<ResearchRun> blocked = research({{" "}, {}, folder.path(), "", true}, {});
  ASSERT_TRUE(blocked.ok());
  EXPECT_EQ(blocked->files.size(), 1u);
  EXPECT_EQ(blocked->filesWritten.error().message,
            (folder.path() / "descriptions.txt").string() + " cannot be written");
  EXPECT_FALSE(blocked->pages.has_value());
}

}  // namespace
}  // namespace vendaro::testing
