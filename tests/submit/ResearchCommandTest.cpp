#include "submit/ResearchCommand.h"

#include "submit/KeywordResearch.h"

#include <gtest/gtest.h>

#include <sstream>

#include "tests/support/LocalHttpServer.h"
#include "tests/support/TempFolder.h"

namespace vendaro::testing {
namespace {

// Three engines on loopback, the second one down: the sweep goes past it,
// the pages listed by the others are read and harvested, and the pages made.
TEST(ResearchCommand, SweepsEnginesOnLoopbackPastOneThatIsDown) {
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
  const SettingsFile file = SettingsFile::parse(
      "[search_engines]\nwebcrawler = \"" + server.url("") + "\"\naltavista = \"" + down.url("") +
          "\"\nhotbot = \"" + server.url("") + "\"\nhotbot_query = \"/hot?MT={keyword}\"\n",
      "vendaro.toml");
  TempFolder output;
  ResearchOptions options{
      {"red shoes"}, {"HotBot", "altavista", "webcrawler"}, output.path(), "Acme", true};
  std::ostringstream out;
  std::ostringstream errors;

  ASSERT_EQ(runResearchCommand(options, SearchEngineSettings::read(file), out, errors), 0)
      << errors.str();
  EXPECT_EQ(output.read("titles.txt"), "Red Shoes Shop\r\nBest & red\r\n");
  EXPECT_EQ(output.read("descriptions.txt"), "Shoes in red\r\n");
  EXPECT_EQ(output.read("keywords.txt"), "red\r\nshoes\r\ncheap\r\n");
  EXPECT_EQ(server.requestCount("/other.htm"), 0);
  const std::string page = output.read("rep000.htm");
  EXPECT_NE(page.find("<title>Acme: products and services : red shoes, Red Shoes Shop "
                      "Best &amp; red</title>"),
            std::string::npos)
      << page;
  EXPECT_NE(out.str().find(KeywordResearch::kReadingDoneMessage), std::string::npos);
}

}  // namespace
}  // namespace vendaro::testing
