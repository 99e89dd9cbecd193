#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <sstream>
#include <string>
#include <vector>

#include "images/ImageFeatures.h"
#include "platform/curl/PageLoader.h"
#include "research/Research.h"
#include "research/ResearchCommands.h"
#include "research/ResearchService.h"
#include "tests/support/FakeBrowser.h"
#include "tests/support/FakeTransfer.h"
#include "tests/support/LocalHttpServer.h"
#include "tests/support/LoopPump.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/StandaloneWindowPorts.h"
#include "tests/support/TempFolder.h"

namespace vendaro::testing {
namespace {

using Strings = std::vector<std::string>;

std::string linksPage(const Strings& hrefs, const std::string& more = "") {
  std::string html = "<html><body>";
  for (const auto& href : hrefs) html += "<a href='" + href + "'>" + href + "</a>";
  return html + more + "</body></html>";
}

Outcome<PageLinks> links(const std::string& address, const std::string& keyword = "") {
  BlockingEventLoop loop;
  PageLoader loader(loop);
  return readPageLinks({address, keyword}, loader, loop);
}

FoundPages find(const FindOptions& options) {
  BlockingEventLoop loop;
  Outcome<FoundPages> found = findPages(options, curlSearchFetchers(loop), loop);
  EXPECT_TRUE(found.ok());
  return found.ok() ? std::move(*found) : FoundPages{};
}

TEST(ResearchLoopback, CrawlWalksFramesSortsPicturesAndAbandonsAPageThatNeverAnswers) {
  LocalHttpServer server;
  server.page("/start.htm", linksPage({"/a.htm", "/slow.htm", "/pic.jpg", "/frames.htm"},
                                      "<img src='/logo.gif'>"));
  server.page("/a.htm", linksPage({"/start.htm", "/support.htm"}));
  server.reply("/slow.htm", delayedReply(std::chrono::minutes(5)));
  server.page("/frames.htm", "<frameset><frame src='/left.htm'></frameset>");
  server.page("/left.htm", linksPage({"/b.htm"}));
  server.page("/b.htm", linksPage({}));

  ManualEventLoop loop;
  ScriptedDialogs dialogs;
  TempFolder folder;
  FakeBrowser browser1, browser5, browser2, browser3;
  PageLoader crawler(loop);
  StandaloneWindowPorts main(browser1, browser5, browser2, browser3, crawler,
                             [] { return std::make_unique<FakeTransfer>(); });
  ImageFeatures images(ImageFeatures::Ports::of(main.ports()), dialogs, folder.path(), "");
  main.hooks.pictureCollector = &images;
  Research research(ResearchPorts::of(main.ports()), dialogs, loop);

  main.saved.listlinks.AddItem(server.url("/start.htm"));
  research.links.CrawlNext();
  const auto visited = [&](const std::string& path) {
    const auto& list = main.research.listlinks2.items();
    return std::find(list.begin(), list.end(), server.url(path)) != list.end();
  };
  ASSERT_TRUE(pumpUntil(loop, [&] { return visited("/slow.htm"); }));
  loop.advance(LinkCollection::kWatchdogMs);
  ASSERT_TRUE(pumpUntil(loop, [&] { return visited("/b.htm") && !crawler.Busy(); }));

  EXPECT_EQ(main.research.listlinks2.items(),
            (Strings{server.url("/start.htm"), server.url("/a.htm"), server.url("/slow.htm"),
                     server.url("/frames.htm"), server.url("/b.htm")}));
  EXPECT_TRUE(main.saved.listlinks.items().empty());
  EXPECT_EQ(main.saved.List2.items(), (Strings{server.url("/pic.jpg"), server.url("/logo.gif")}));
}

TEST(ResearchLoopback, FindReadsTwoHundredPagesWithFourFetchers) {
  LocalHttpServer server;
  Strings addresses;
  Strings expected;
  for (int i = 0; i < 200; ++i) {
    const std::string path = "/p" + std::to_string(i) + ".htm";
    const bool hit = i % 3 == 0;
    server.page(path, linksPage({}, hit ? "a WIDGET here" : "nothing"));
    addresses.push_back(server.url(path));
    if (hit) expected.push_back(server.url(path));
  }
  addresses.push_back("file:///etc/passwd");
  FindOptions options;
  options.keywords = {"widget"};
  options.addresses = addresses;
  FoundPages pages = find(options);
  std::sort(pages.found.begin(), pages.found.end());
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(pages.found, expected);
  EXPECT_TRUE(pages.failed.empty());
  EXPECT_EQ(server.requestCount("/p1.htm"), 1);
}

// How a report row escapes page text is the research model's test; links
// keep their text as read and their addresses escaped.
TEST(ResearchLoopback, HostilePageTextStaysTextInLinks) {
  LocalHttpServer server;
  server.page("/evil.htm", "<a href=\"/next.htm?a='b'\">&lt;script&gt;go()&lt;/script&gt;</a>");
  const Outcome<PageLinks> page = links(server.url("/evil.htm"), "SCRIPT");
  ASSERT_TRUE(page.ok());
  EXPECT_EQ(page->links, Strings{server.url("/next.htm?a=%27b%27")});
  EXPECT_EQ(links("file:///etc/passwd").error().kind, ErrorKind::BadInput);
}

// Each page that cannot be read is a network error with its reason; `find`
// still searches the pages that can be read.
TEST(ResearchLoopback, EachUnreadablePageIsNamedWithItsReason) {
  LocalHttpServer server;
  RefusingPort refusing;
  server.page("/ok.htm", linksPage({}, "a widget: PHONE us"));
  server.redirect("/loop.htm", "/loop.htm");
  HttpReply cut;
  cut.body = linksPage({}, std::string(4000, 'x'));
  cut.cutShort = true;
  server.reply("/cut.htm", cut);
  const std::vector<std::pair<std::string, std::string>> unreadable{
      {refusing.url("/"), "onnect"},
      {server.url("/missing.htm"), "HTTP 404"},
      {server.url("/loop.htm"), "redirect"},
      {server.url("/cut.htm"), "remaining"}};
  for (const auto& [address, reason] : unreadable) {
    const Outcome<PageLinks> page = links(address);
    ASSERT_FALSE(page.ok()) << address;
    EXPECT_EQ(page.error().kind, ErrorKind::Network);
    EXPECT_EQ(page.error().message.rfind("cannot read " + address + ": ", 0), 0u);
    EXPECT_NE(page.error().message.find(reason), std::string::npos) << page.error().message;
  }

  FindOptions options;
  options.kind = FindKind::Contact;
  for (const auto& [address, reason] : unreadable) options.addresses.push_back(address);
  options.addresses.push_back(server.url("/ok.htm"));
  const FoundPages pages = find(options);
  EXPECT_EQ(pages.found, Strings{server.url("/ok.htm")});
  ASSERT_EQ(pages.failed.size(), unreadable.size());
}

// A page of 100,000 nested elements is read in linear time: the elements
// below the browsers' depth are read one level up, and the count is told.
TEST(ResearchLoopback, LinksOfADeeplyNestedPageAreReadWithANote) {
  LocalHttpServer server;
  std::string page = "<html><body>";
  for (int i = 0; i < 100000; ++i) page += "<div>";
  server.page("/deep.htm", page + "<a href='/found.htm'>found</a></body></html>");
  const Outcome<PageLinks> read = links(server.url("/deep.htm"));
  ASSERT_TRUE(read.ok());
  EXPECT_EQ(read->links, Strings{server.url("/found.htm")});
  EXPECT_EQ(read->flattenedElements, 99488u);
}

}  // namespace
}  // namespace vendaro::testing
