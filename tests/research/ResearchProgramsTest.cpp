#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/e2e/ProgramRun.h"
#include "tests/support/LocalHttpServer.h"
#include "tests/support/TempFolder.h"

// `vendaro links`, `find` and `research` run as programs against pages on
// loopback: what they print, where, and their exit codes.
namespace vendaro::testing {
namespace {

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
