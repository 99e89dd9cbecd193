#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "common/TextSearch.h"
#include "images/ImageFeatures.h"
#include "research/ReportRowIndex.h"
#include "research/Research.h"
#include "tests/e2e/ProgramRun.h"
#include "tests/support/FakeBrowser.h"
#include "tests/support/FakeTransfer.h"
#include "tests/support/LocalHttpServer.h"
#include "tests/support/ManualEventLoop.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/StandaloneWindowPorts.h"
#include "tests/support/TempFolder.h"

namespace vendaro::testing {
namespace {

using Strings = std::vector<std::string>;

std::shared_ptr<PageDocument> page(const std::string& url, std::vector<PageLink> links) {
  auto document = std::make_shared<PageDocument>();
  document->url = url;
  document->bodyTagName = "BODY";
  document->links = std::move(links);
  return document;
}

// The research over fake panes and fetchers, with the image buffer sorting
// crawled pages as in the program.
class ResearchTest : public ::testing::Test {
 protected:
  ResearchTest() { main.hooks.pictureCollector = &images; }

  Strings messages() const { return dialogs.messageTexts(); }
  FakeTransfer& inet(int number) { return *inets.at(static_cast<std::size_t>(number - 1)); }

  ManualEventLoop loop;
  ScriptedDialogs dialogs;
  TempFolder folder;
  FakeBrowser browser1, browser5, browser2, browser3, browser4;
  std::vector<FakeTransfer*> inets;
  StandaloneWindowPorts main{browser1, browser5, browser2, browser3, browser4, [this] {
                               auto transfer = std::make_unique<FakeTransfer>();
                               inets.push_back(transfer.get());
                               return transfer;
                             }};
  ImageFeatures images{ImageFeatures::Ports::of(main.ports()), dialogs, folder.path(), ""};
  Research research{ResearchPorts::of(main.ports()), dialogs, loop};
};

TEST_F(ResearchTest, GetLinksTakesFramesFiltersOnTheRowAndAddsNothingTwice) {
  auto frame = page("http://a.test/f", {{"http://a.test/shop.htm", "Shop here"},
                                        {"http://a.test/other.htm", "Other"},
                                        {"http://a.test/x?a=1&b=2", "<b>shop</b> 'q'"}});
  auto frameset = page("http://a.test/", {{"http://a.test/in-frameset-shop", ""}});
  frameset->bodyTagName = "FRAMESET";
  frameset->frames = {{"f", "", frame}, {"gone", "http://b.test/", nullptr}};
  browser1.document = frameset;
  main.WebBrowser5.setVisible(false);
  main.Combo1.setText("shop");

  research.links.getlinks_Click();
  research.links.getlinks_Click();

  EXPECT_EQ(main.saved.listlinks.items(),
            (Strings{"http://a.test/shop.htm", "http://a.test/x?a=1&b=2"}));
  EXPECT_EQ(main.research.List7.items(), main.saved.listlinks.items());
  EXPECT_EQ(
      main.research.List3.items(),
      (Strings{
          "<a href='http://a.test/shop.htm'>Shop here</a><br>",
          "<a href='http://a.test/x?a=1&amp;b=2'>&lt;b&gt;shop&lt;/b&gt; &#39;q&#39;</a><br>"}));
  EXPECT_EQ(main.StatusBar1.panelText(2), "Found -  2 links");
  EXPECT_TRUE(main.research.linksGathered);
}

// Links that the report does not follow (javascript:, tel:) link to "#" but
// keep their address in the row, so each distinct one is kept once.
TEST_F(ResearchTest, GetLinksKeepsEachDistinctLinkThatIsNotFollowedOnce) {
  browser1.document = page("http://a.test/", {{"javascript:buy(1)", "Buy"},
                                              {"tel:+1-555", ""},
                                              {"javascript:buy(2)", "Buy"},
                                              {"tel:+1-555", ""}});
  main.WebBrowser5.setVisible(false);
  research.links.getlinks_Click();
  research.links.getlinks_Click();
  EXPECT_EQ(main.saved.listlinks.items(),
            (Strings{"javascript:buy(1)", "tel:+1-555", "javascript:buy(2)"}));
  EXPECT_EQ(main.research.List3.items().front(),
            "<a href='#' title='javascript:buy(1)'>Buy</a><br>");
}

TEST_F(ResearchTest, CrawlerSkipsExcludedAndVisitedLinksAndItsWatchdogMovesOn) {
  main.saved.listlinks.AddItems(
      {"http://a.test/start", "javascript:alert(1)", "http://a.test/slow"});
  research.links.CrawlNext();
  EXPECT_EQ(browser4.navigations, Strings{"http://a.test/start"});
  browser4.pages["http://a.test/start"] =
      page("http://a.test/start", {{"http://a.test/next", ""},
                                   {"http://a.test/PLAN", ""},
                                   {"http://a.test/x.edu", ""},
                                   {"http://a.test/~me", ""},
                                   {"mailto:a@b", ""},
                                   {"http://a.test/start", ""},
                                   {"http://a.test/PIC.JPG", ""},
                                   {"http://a.test/support", ""}});
  browser4.completeNavigation();
  // The link to a script is passed over; the slow page is requested next.
  EXPECT_EQ(browser4.navigations.back(), "http://a.test/slow");
  EXPECT_EQ(main.saved.listlinks.items(), Strings{"http://a.test/next"});
  EXPECT_EQ(main.saved.List2.items(), Strings{"http://a.test/PIC.JPG"});
  browser4.busy = true;
  loop.advance(29999);
  EXPECT_EQ(browser4.navigations.size(), 2u);
  browser4.busy = false;
  loop.advance(1);
  EXPECT_EQ(browser4.navigations.back(), "http://a.test/next");
  EXPECT_EQ(main.research.listlinks2.items(),
            (Strings{"http://a.test/start", "javascript:alert(1)", "http://a.test/slow",
                     "http://a.test/next"}));
}

TEST_F(ResearchTest, FiveLinksOnFourFetchersThenHitsWatchdogAndTheFinalSwap) {
  main.saved.listlinks.AddItems(
      {"http://p/1", "http://p/2", "http://p/3", "http://p/4", "http://p/5"});
  main.Combo1.AddItem("Mail");
  dialogs.messageAnswers = {MessageResult::No};
  research.search.readit_Click();
  for (int k = 1; k <= 4; ++k)
    EXPECT_EQ(inet(k).executed, Strings{"http://p/" + std::to_string(k)});
  EXPECT_EQ(main.StatusBar1.panelText(2), "Left -  1 pages to read");

  inet(1).complete(std::string(32000, 'x') + "mail");  // past the first 32000 bytes: no hit
  EXPECT_EQ(inet(1).executed.back(), "http://p/5");
  inet(2).complete("<a href='MAILTO:x@y'>");
  inet(3).complete("<a href='mailto:\"><script>'>");
  inet(1).complete("mail");
  EXPECT_EQ(main.research.List1.items(), (Strings{"http://p/2", "http://p/3", "http://p/5"}));
  // The live page lists every page found, fetcher 1's too.
  loop.advance(KeywordSearch::kLiveRefreshMs);
  EXPECT_EQ(browser1.written.back(),
            "<font face='Arial'><small><a href='http://p/2'>http://p/2</a></small></font><br>"
            "<font face='Arial'><small><a href='http://p/3'>http://p/3</a></small></font><br>"
            "<font face='Arial'><small><a href='http://p/5'>http://p/5</a></small></font><br>");

  // Fetcher 4 never answers: its watchdog drops the page after 30 s.
  EXPECT_TRUE(research.search.pages().watching(4));
  loop.advance(PageSearch::kWatchdogMs);
  EXPECT_EQ(inet(4).cancelCount, 1);
  EXPECT_EQ(main.saved.listlinks.items(), (Strings{"http://p/2", "http://p/3", "http://p/5"}));
  EXPECT_EQ(dialogs.messages.back().title, "Would You Like to see a report?");
  EXPECT_EQ(messages().back(),
            "Found 3 links with Your Keywords. You may view report by click on 'View Report' menu "
            "item.");
}

TEST_F(ResearchTest, PreconditionsWarnAndFetcherTwoErrorMovesOn) {
  main.research.List1.AddItem("http://earlier");
  main.Combo1.AddItem("x");
  dialogs.messageAnswers = {MessageResult::Ok, MessageResult::No};
  research.search.readit_Click();  // no links: the warning, then at once the final message
  EXPECT_EQ(messages(),
            (Strings{"You need get links before, click on 'Links Editor' menu and next click 'Get "
                     "Links'",
                     "Found 1 links with Your Keywords. You may view report by click on 'View "
                     "Report' menu item."}));

  main.saved.listlinks.Clear();
  main.saved.listlinks.AddItems(
      {"http://p/1", "http://p/2", "http://p/3", "http://p/4", "http://p/5", "http://p/6"});
  main.Combo1.Clear();
  const Control* focused = nullptr;
  main.offers.focus = [&focused](const Control& control) { focused = &control; };
  research.search.readit_Click();
  EXPECT_EQ(messages().back(), "You need enter keywords first!!!");
  EXPECT_EQ(focused, &main.Combo1);
  EXPECT_TRUE(inet(1).executed.empty());

  research.search.findemail_Click();
  EXPECT_EQ(main.Combo1.items(), Strings{"mailto:"});
  EXPECT_TRUE(main.research.List1.items().empty());
  inet(2).fail();
  EXPECT_EQ(inet(2).cancelCount, 1);
  EXPECT_EQ(inet(2).executed.back(), "http://p/5");
  // Any fetcher takes its next page at once after an error; the links list
  // shows the pages not taken yet.
  inet(1).fail("HTTP 404");
  EXPECT_EQ(inet(1).executed.back(), "http://p/6");
  EXPECT_TRUE(main.saved.listlinks.items().empty());
}

TEST_F(ResearchTest, ReaderTimeOutWithoutLiveResultsWaitsForReadNext) {
  main.saved.listlinks.AddItems({"http://r/1", "http://r/2", "http://r/3", "http://r/4"});
  dialogs.messageAnswers = {MessageResult::No};
  research.reader.viewreport_Click();
  EXPECT_EQ(browser2.navigations, Strings{"http://r/1"});
  EXPECT_EQ(main.StatusBar1.panelText(2), "Left -3pages to read");
  browser2.busy = true;
  loop.advance(ReportReading::kWatchdogMs);
  browser2.busy = false;
  EXPECT_EQ(main.research.List4.items(), (Strings{"http://r/3", "http://r/4"}));
  EXPECT_EQ(browser2.navigations.size(), 1u);
  research.reader.readnext_Click();
  EXPECT_EQ(browser2.navigations.back(), "http://r/4");

  auto read = page("http://r/4", {{"mailto:a@b", "<i>me</i>"}});
  read->title = "<script>alert(1)</script>";
  PageElement paragraph;
  paragraph.tagName = "P";
  paragraph.outerText = "call \"us\" <now>";
  read->all = {paragraph};
  main.Combo1.AddItem("us");
  browser2.pages["http://r/4"] = read;
  browser2.completeNavigation();
  EXPECT_EQ(browser1.written.back(),
            "<html><body><table border='0' width='100%' cellspacing='0' cellpadding='0'>"
            "<tr><td width='100%' bgcolor='#FFFF00'><strong><font face='Arial'><a "
            "href='http://r/4'>&lt;script&gt;alert(1)&lt;/script&gt;</a></font></strong></td></tr>"
            "<tr><td><p>call &quot;us&quot; &lt;now&gt;</p></td></tr>"
            "<tr><td width='100%' bgcolor='#00FFFF'><font face='Arial'><small><a "
            "href='mailto:a@b'>&lt;i&gt;me&lt;/i&gt;</small></font></td></tr>"
            "</table></body></html>");
}

TEST_F(ResearchTest, EmptyReportIsSavedExactlyAndCreateFullReportNeedsLinks) {
  dialogs.messageAnswers = {MessageResult::No, MessageResult::Ok};
  main.research.List3.AddItem("kept");
  research.reader.viewreport_Click();
  EXPECT_EQ(messages().back(), "Get links ,Please");
  EXPECT_EQ(main.research.List3.items(), Strings{"kept"});

  research.reader.Clearalllinks_Click();
  dialogs.fileAnswers = {folder.file("report.htm").string()};
  research.reader.savereport_Click();
  EXPECT_EQ(folder.read("report.htm"),
            "<html>\r\n\r\n<title>Report</title><body></body>\r\n</html>\r\n");
  EXPECT_EQ(dialogs.filters.back(),
            "HTML file (*.htm;*.html)|*.htm;*.html|Text File (*.txt;*.rtf)|*.txt;*.rtf");
}

TEST(ReportRowIndexTest, AgreesWithAScanOfEveryRow) {
  // Few letters, so texts recur at many places and across rows.
  std::mt19937 random(7);
  const auto word = [&](std::size_t length) {
    std::string text;
    for (std::size_t i = 0; i < length; ++i) text += "abAB/"[random() % 5];
    return text;
  };
  Strings rows;
  ReportRowIndex index;
  for (int i = 0; i < 200; ++i) {
    rows.push_back(word(random() % 60));
    index.add(rows.back());
  }
  for (int i = 0; i < 2000; ++i) {
    const std::string& row = rows[random() % rows.size()];
    const std::size_t start = row.empty() ? 0 : random() % row.size();
    const std::string text = i % 2 ? row.substr(start, random() % 30) : word(random() % 25);
    const bool scanned = std::any_of(rows.begin(), rows.end(), [&](const std::string& r) {
      return containsIgnoringCase(r, text);
    });
    ASSERT_EQ(index.anyRowContains(text), scanned) << text;
  }
}

// `vendaro links`, `find` and `research` run as programs against pages on
// loopback: what they print, where, and their exit codes.
class ResearchProgramsTest : public ::testing::Test {
 protected:
  ResearchProgramsTest() { std::filesystem::create_directory(scratch.path() / "app"); }

  ProgramResult vendaro(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), {VENDARO_BIN_PATH});
    arguments.insert(arguments.begin() + 2, {"--app-folder", (scratch.path() / "app").string()});
    return runProgram(arguments, {}, scratch.path());
  }

  LocalHttpServer server;
  TempFolder scratch;
};

TEST_F(ResearchProgramsTest, LinksPrintsTheFilteredLinksOrSaysWhyNot) {
  server.page("/a.htm",
              "<a href='/shop.htm'>Our shop</a><a href='/news.htm'>News</a>"
              "<a href='/shop.htm'>again</a><a href='mailto:x@y'>Shop mail</a>");
  ProgramResult run = vendaro({"links", server.url("/a.htm")});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out, server.url("/shop.htm") + "\n" + server.url("/news.htm") + "\nmailto:x@y\n");
  run = vendaro({"links", "--keyword", "SHOP", server.url("/a.htm")});
  EXPECT_EQ(run.out, server.url("/shop.htm") + "\nmailto:x@y\n");
  EXPECT_EQ(run.err, "");

  run = vendaro({"links", server.url("/gone.htm")});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(
      run.err.rfind("vendaro links: cannot read " + server.url("/gone.htm") + ": HTTP 404", 0), 0u)
      << run.err;
  run = vendaro({"links", "ftp://example.test/"});
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_NE(run.err.find("not an http or https address: ftp://example.test/"), std::string::npos);
}

TEST_F(ResearchProgramsTest, FindPrintsThePagesFoundNamesTheUnreadableAndWritesTheReport) {
  server.page("/one.htm", "<title>One</title><p>Write to us</p><a href='mailto:a@b'>Mail</a>");
  server.page("/two.htm", "<p>nothing here</p>");
  const std::string gone = server.url("/gone.htm");
  const std::string report = (scratch.path() / "report.htm").string();
  ProgramResult run = vendaro({"find", "--email", "--report", report, server.url("/one.htm"),
                               server.url("/two.htm"), gone});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.out, server.url("/one.htm") + "\n");
  EXPECT_EQ(run.err.rfind("vendaro find: cannot read " + gone + ": HTTP 404", 0), 0u) << run.err;
  EXPECT_EQ(scratch.read("report.htm"),
            "<html>\r\n\r\n<title>Report</title><body>"
            "<tr><td width='100%' bgcolor='#FFFF00'><strong><font face='Arial'><a href='" +
                server.url("/one.htm") +
                "'>One</a></font></strong></td></tr>"
                "<tr><td width='100%' bgcolor='#00FFFF'><font face='Arial'><small><a "
                "href='mailto:a@b'>Mail</small></font></td></tr></body>\r\n</html>\r\n");

  run = vendaro({"find", "--keyword", "absent", "--report", report, server.url("/two.htm")});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out, "");
  const std::string unwritable = (scratch.path() / "none" / "r.htm").string();
  run = vendaro({"find", "--keyword", "here", "--report", unwritable, server.url("/two.htm")});
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_EQ(run.out, server.url("/two.htm") + "\n");
  EXPECT_EQ(run.err, "vendaro find: cannot write " + unwritable + "\n");
}

TEST_F(ResearchProgramsTest, ResearchHarvestsTheEnginesResultsAndMakesThePages) {
  server.page("/cgi-bin/WebQuery?searchText=red%20shoes",
              "<a href='/shop.htm'>Red shoes</a><a href='/hats.htm'>Hats</a>");
  server.page("/shop.htm",
              "<title>Shoe Shop</title><meta name='description' content='All shoes'>"
              "<meta name='keywords' content='shoes, red'>");
  scratch.write("app/vendaro.toml", "[search_engines]\nwebcrawler = \"" + server.url("") + "\"\n");
  const std::filesystem::path output = scratch.path() / "out";
  ProgramResult run = vendaro({"research", "--keyword", "red shoes", "--engine", "webcrawler",
                               "--output", output.string(), "--company", "Acme", "--pages"});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out, "I'v done the search,You may analyse the result on next table\n" +
                         (output / "titles.txt").string() + ": 1 entries\n" +
                         (output / "descriptions.txt").string() + ": 1 entries\n" +
                         (output / "keywords.txt").string() + ": 2 entries\n You'v got it\n");
  EXPECT_EQ(run.err, " Found  1 links\nLeft to read : 0 pages\n");

  run = vendaro({"research", "--keyword", "x", "--engine", "gopher", "--output", output.string()});
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_EQ(run.err.rfind("vendaro: unknown search engine \"gopher\"", 0), 0u) << run.err;
  run = vendaro({"research", "--keyword", "x", "--output", (output / "rep000.htm").string()});
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_EQ(run.err,
            "vendaro: the output folder " + (output / "rep000.htm").string() + " cannot be made\n");
}

}  // namespace
}  // namespace vendaro::testing
