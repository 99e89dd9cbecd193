#include "platform/curl/PageLoader.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "platform/curl/CharsetDecoder.h"
#include "platform/curl/CurlTransfer.h"
#include "platform/curl/HttpFetch.h"
#include "platform/curl/PageAssembler.h"
#include "tests/support/LocalHttpServer.h"
#include "tests/support/LoopPump.h"
#include "tests/support/ManualEventLoop.h"

namespace vendaro {
namespace {

using testing::delayedReply;
using ::testing::ElementsAre;
using testing::LocalHttpServer;
using testing::pumpUntil;
using testing::RefusingPort;

std::vector<std::string> linkTexts(const PageDocument& page) {
  std::vector<std::string> texts;
  for (const PageLink& link : page.links) texts.push_back(link.outerText + " " + link.href);
  return texts;
}

// A page loader on a manual loop that writes down every event it raises.
class PageLoaderTest : public ::testing::Test {
 protected:
  PageLoaderTest() {
    loader.onNavigateComplete = [this](FrameLevel level, const std::string& address) {
      events.push_back(levelName(level) + " navigated " + address);
      busyAtCompletion = loader.Busy();
      documentAtCompletion = loader.Document() != nullptr;
    };
    loader.onDownloadComplete = [this] { events.push_back("downloaded"); };
    loader.onTitleChange = [this](const std::string& title) { events.push_back("title " + title); };
    loader.onDocumentComplete = [this](FrameLevel level, const std::string& address) {
      events.push_back(levelName(level) + " complete " + address);
      if (level == FrameLevel::TopLevel) ++pagesCompleted;
    };
  }

  static std::string levelName(FrameLevel level) {
    return level == FrameLevel::TopLevel ? "page" : "frame";
  }

  // Navigates and pumps the loop until the page has completed.
  std::shared_ptr<const PageDocument> load(const std::string& address) {
    const int before = pagesCompleted;
    events.clear();
    loader.Navigate(address);
    EXPECT_TRUE(loader.Busy());
    EXPECT_TRUE(pumpUntil(loop, [&] { return pagesCompleted > before; }));
    return loader.Document();
  }

  LocalHttpServer server;
  ManualEventLoop loop;
  PageLoader loader{loop};
  std::vector<std::string> events;
  int pagesCompleted = 0;
  bool busyAtCompletion = true;
  bool documentAtCompletion = false;
};

TEST_F(PageLoaderTest, LoadsFramesOfTheSameSiteAndLeavesOtherSitesUnreadable) {
  const std::string foreign = "http://localhost:" + std::to_string(server.port()) + "/ad.html";
  server.page("/shop.html",
              "<html><head><title>Shop</title></head><frameset cols='50%,50%'>"
              "<frame name=menu src='menu.html'><frame name=ad src='" +
                  foreign + "'></frameset>");
  server.page(
      "/menu.html",
      "<body><a href='/one.html'>One</a><iframe name=inner src='/deep/inner.html'></iframe>");
  server.page("/deep/inner.html", "<title>Inner</title><a href='two.html'>Two</a>");

  auto page = load(server.url("/shop.html"));

  ASSERT_TRUE(page);
  EXPECT_EQ(page->bodyTagName, "FRAMESET");
  ASSERT_EQ(page->frames.size(), 2u);
  EXPECT_EQ(page->frames[0].name, "menu");
  ASSERT_TRUE(page->frames[0].document);
  const PageDocument& menu = *page->frames[0].document;
  EXPECT_THAT(linkTexts(menu), ElementsAre("One " + server.url("/one.html")));
  ASSERT_EQ(menu.frames.size(), 1u);
  ASSERT_TRUE(menu.frames[0].document);
  EXPECT_THAT(linkTexts(*menu.frames[0].document),
              ElementsAre("Two " + server.url("/deep/two.html")));
  EXPECT_EQ(page->frames[1].src, foreign);
  EXPECT_FALSE(page->frames[1].document);
  EXPECT_EQ(server.requestCount("/ad.html"), 0);

  EXPECT_THAT(events, ElementsAre("page navigated " + server.url("/shop.html"), "title Shop",
                                  "downloaded", "frame complete " + server.url("/deep/inner.html"),
                                  "frame complete " + server.url("/menu.html"),
                                  "page complete " + server.url("/shop.html")));
  EXPECT_FALSE(busyAtCompletion);
  EXPECT_TRUE(documentAtCompletion);
  EXPECT_EQ(loader.LocationName(), "Shop");
}

TEST_F(PageLoaderTest, StopsFramesAtTheDepthAndNumberLimits) {
  server.page("/loop.html", "<a href='x.html'>x</a><iframe src='loop.html'></iframe>");

  auto page = load(server.url("/loop.html"));

  int depth = 0;
  for (auto frame = page; frame && !frame->frames.empty(); frame = frame->frames[0].document) {
    ++depth;
  }
  EXPECT_EQ(depth, PageAssembler::kMaxFrameDepth + 1);
  EXPECT_EQ(server.requestCount("/loop.html"), PageAssembler::kMaxFrameDepth + 1);

  std::string frames;
  for (int i = 0; i < PageAssembler::kMaxFrames + 5; ++i) {
    const std::string name = "/f" + std::to_string(i) + ".html";
    server.page(name, "frame");
    frames += "<iframe src='" + name + "'></iframe>";
  }
  server.page("/many.html", frames);
  const std::size_t before = server.requests().size();
  EXPECT_EQ(load(server.url("/many.html"))->frames.size(),
            static_cast<std::size_t>(PageAssembler::kMaxFrames) + 5);
  EXPECT_EQ(server.requests().size() - before, PageAssembler::kMaxFrames + 1u);
}

TEST_F(PageLoaderTest, ConvertsAPageInTheCharacterSetItsServerNamesToUtf8) {
  server.page("/header.html", "<title>Caf\xE9 \x80 5</title><a href=a>na\xEFve</a>",
              "text/html; charset=windows-1252");
  EXPECT_EQ(load(server.url("/header.html"))->title, "Caf\xC3\xA9 \xE2\x82\xAC 5");
  EXPECT_THAT(linkTexts(*loader.Document()), ElementsAre("na\xC3\xAFve " + server.url("/a")));
}

TEST_F(PageLoaderTest, FollowsRedirectsAndCompletesFailedLoadsLikeABrowser) {
  server.redirect("/go", "/target.html");
  server.page("/target.html", "<title>Target</title>");
  RefusingPort closed;

  load(server.url("/go"));
  EXPECT_EQ(loader.LocationURL(), server.url("/target.html"));
  EXPECT_EQ(loader.LocationName(), "Target");

  // A 404 is a page: the server's error page is shown; a reader that
  // harvests gets an empty page at that address instead.
  EXPECT_EQ(load(server.url("/gone.html"))->title, "Not Found");
  loader.setErrorPagesEmpty(true);
  EXPECT_EQ(load(server.url("/gone.html"))->title, "");
  EXPECT_EQ(loader.LocationURL(), server.url("/gone.html"));
  loader.setErrorPagesEmpty(false);

  // Nothing to show: an empty document with the address asked for.
  auto empty = load(closed.url("/x.html"));
  EXPECT_EQ(empty->url, closed.url("/x.html"));
  EXPECT_TRUE(empty->links.empty());
  EXPECT_EQ(loader.LocationName(), closed.url("/x.html"));

  loader.GoBack();
  pumpUntil(loop, [&] { return !loader.Busy(); });
  EXPECT_EQ(loader.LocationURL(), server.url("/gone.html"));
}

TEST_F(PageLoaderTest, StopAndANewNavigationSilenceTheLoadTheyReplace) {
  server.reply("/slow.html", delayedReply(std::chrono::seconds(30), "<title>Slow</title>"));
  server.page("/first.html", "<title>First</title>");
  load(server.url("/first.html"));
  events.clear();

  loader.Navigate(server.url("/slow.html"));
  ASSERT_TRUE(pumpUntil(loop, [&] { return server.requestCount("/slow.html") == 1; }));
  loader.Stop();
  EXPECT_FALSE(loader.Busy());
  loop.runPending();
  EXPECT_TRUE(events.empty());
  EXPECT_EQ(loader.LocationName(), "First");

  // A handler that navigates on ends the events of the page it was told about.
  server.page("/second.html", "<title>Second</title>");
  loader.onNavigateComplete = [this](FrameLevel, const std::string& address) {
    events.push_back("navigated " + address);
    if (address == server.url("/first.html")) loader.Navigate(server.url("/second.html"));
  };
  load(server.url("/first.html"));
  EXPECT_EQ(events.front(), "navigated " + server.url("/first.html"));
  EXPECT_EQ(events.back(), "page complete " + server.url("/second.html"));
  EXPECT_EQ(std::count(events.begin(), events.end(), "downloaded"), 1);
}

TEST_F(PageLoaderTest, WritesADocumentAndHonoursACancelledNavigation) {
  loader.writeDocument("<title>Report</title><a href='http://x.example/'>X</a>");
  EXPECT_EQ(loader.LocationURL(), "about:blank");
  EXPECT_EQ(loader.LocationName(), "Report");
  loop.runPending();
  EXPECT_THAT(events, ElementsAre("page complete about:blank"));

  loader.onBeforeNavigate = [](const std::string&, bool& cancel) { cancel = true; };
  loader.Navigate(server.url("/any.html"));
  EXPECT_FALSE(loader.Busy());
  EXPECT_EQ(loader.LocationURL(), "about:blank");
}

TEST_F(PageLoaderTest, AppendedPiecesShowAsOneDocumentWhenClosedAndReplaceALoadUnderWay) {
  server.reply("/slow.html", delayedReply(std::chrono::seconds(30)));
  loader.Navigate(server.url("/slow.html"));
  loader.appendToDocument("<title>Dropped</title>");  // appending opens a document
  loader.openDocument();                              // and opening starts over
  loader.appendToDocument("<html><head><title>Sales");
  loader.appendToDocument(" report</title></head><body>");
  // A report of about 3 MiB, written in pieces row by row.
  for (int row = 0; row < 50000; ++row) {
    const std::string number = std::to_string(row);
    loader.appendToDocument("<p><a href='http://x.example/" + number + "'>Order ");
    loader.appendToDocument(number + "</a></p>");
  }
  loop.runPending();
  EXPECT_EQ(loader.Document(), nullptr);  // nothing shows until the document is closed
  EXPECT_TRUE(events.empty());

  loader.appendToDocument("<p id=last>The end</p>");
  loader.closeDocument();
  loader.closeDocument();  // nothing is open any more
  EXPECT_FALSE(loader.Busy());
  loop.runPending();
  EXPECT_THAT(events, ElementsAre("page complete about:blank"));
  EXPECT_EQ(loader.LocationName(), "Sales report");
  const auto document = loader.Document();
  ASSERT_NE(document, nullptr);
  ASSERT_EQ(document->links.size(), 50000u);
  EXPECT_EQ(linkTexts(*document).front(), "Order 0 http://x.example/0");
  EXPECT_EQ(linkTexts(*document).back(), "Order 49999 http://x.example/49999");
  EXPECT_EQ(document->all.back().id, "last");
}

TEST(PageLoaderLifetimeTest, DestroyingALoadingPageLoaderIsSafe) {
  LocalHttpServer server;
  server.reply("/slow.html", delayedReply(std::chrono::seconds(30)));
  ManualEventLoop loop;
  {
    PageLoader loader(loop);
    loader.Navigate(server.url("/slow.html"));
    ASSERT_TRUE(testing::waitUntil([&] { return server.requestCount("/slow.html") == 1; }));
  }
  loop.runPending();
  EXPECT_EQ(loop.pendingCount(), 0u);
}

TEST(CharsetDecoderTest, TakesTheHeaderBeforeTheMetaTagAndTheMetaTagBeforeGuessing) {
  const std::string latin = "<meta charset=utf-8><p>caf\xE9 \x80";
  EXPECT_EQ(CharsetDecoder::decode(latin, "text/html; Charset=\"Windows-1252\""),
            "<meta charset=utf-8><p>caf\xC3\xA9 \xE2\x82\xAC");

  const std::string meta =
      "<HTML><HEAD><META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=iso-8859-1\">"
      "</HEAD><BODY>\xE9t\xE9";
  EXPECT_EQ(CharsetDecoder::decode(meta, "text/html"),
            meta.substr(0, meta.size() - 3) + "\xC3\xA9t\xC3\xA9");

  EXPECT_EQ(CharsetDecoder::decode("<p>\xC3\xA9t\xC3\xA9", ""), "<p>\xC3\xA9t\xC3\xA9");
  EXPECT_EQ(CharsetDecoder::decode("<p>\xE9t\xE9", ""), "<p>\xC3\xA9t\xC3\xA9");
}

TEST(CharsetDecoderTest, ReplacesBadBytesAndIgnoresUnknownOrLateDeclarations) {
  EXPECT_EQ(CharsetDecoder::decode("a\xFF"
                                   "b",
                                   "text/html; charset=utf-8"),
            "a\xEF\xBF\xBD"
            "b");
  // A sequence cut off at the end is replaced too, never read past.
  EXPECT_EQ(CharsetDecoder::decode("ab\xE2\x82", "text/plain; charset=utf-8"),
            "ab\xEF\xBF\xBD\xEF\xBF\xBD");
  EXPECT_EQ(CharsetDecoder::decode("x\xE9", "text/html; charset=no-such-set"), "x\xC3\xA9");

  const std::string late = std::string(1100, ' ') + "<meta charset=koi8-r>\xC1";
  EXPECT_EQ(CharsetDecoder::charsetOfMeta(late), "");
  EXPECT_EQ(CharsetDecoder::decode(late, ""), late.substr(0, late.size() - 1) + "\xC3\x81");
}

TEST(CharsetDecoderTest, HonoursByteOrderMarks) {
  EXPECT_EQ(CharsetDecoder::decode("\xEF\xBB\xBFhi", "text/html; charset=windows-1252"), "hi");
  EXPECT_EQ(CharsetDecoder::decode(std::string("\xFF\xFEh\0i\0", 6), ""), "hi");
}

// A transfer on a manual loop that records each state and the thread it came on.
class CurlTransferTest : public ::testing::Test {
 protected:
  CurlTransferTest() {
    transfer.onStateChanged = [this](int state) {
      states.push_back(state);
      threads.push_back(std::this_thread::get_id());
      executingWhenReported = transfer.StillExecuting();
    };
  }

  // Executes `address` and pumps the loop until its state arrives.
  int fetch(const std::string& address) {
    const std::size_t before = states.size();
    transfer.Execute(address);
    EXPECT_TRUE(transfer.StillExecuting());
    EXPECT_TRUE(pumpUntil(loop, [&] { return states.size() > before; }));
    return states.empty() ? 0 : states.back();
  }

  std::string readAll(std::size_t chunkSize) {
    std::string all;
    for (std::string chunk; !(chunk = transfer.GetChunk(chunkSize)).empty();) all += chunk;
    return all;
  }

  LocalHttpServer server;
  ManualEventLoop loop;
  CurlTransfer transfer{loop};
  std::vector<int> states;
  std::vector<std::thread::id> threads;
  bool executingWhenReported = true;
};

TEST_F(CurlTransferTest, CompletesOnTheLoopThreadAndHandsOutTheAnswerInChunks) {
  server.page("/list.txt", "Shoes|http://a.example/\r\nHats|http://b.example/\r\n", "text/plain");

  EXPECT_EQ(fetch(server.url("/list.txt")), Transfer::kStateResponseCompleted);

  EXPECT_EQ(threads, std::vector{std::this_thread::get_id()});
  EXPECT_FALSE(executingWhenReported);
  EXPECT_EQ(transfer.URL(), server.url("/list.txt"));
  EXPECT_EQ(transfer.GetChunk(5), "Shoes");
  EXPECT_EQ(readAll(7), "|http://a.example/\r\nHats|http://b.example/\r\n");
  EXPECT_EQ(transfer.GetChunk(12000), "");
  const auto requests = server.requests();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_THAT(requests[0].head,
              ::testing::HasSubstr("User-Agent: Mozilla/5.0 (compatible; Vendaro/"));
}

TEST_F(CurlTransferTest, FollowsRedirectsButKeepsTheRequestedAddress) {
  server.redirect("/old", "/hop");
  server.redirect("/hop", server.url("/new.html"), 301);
  server.page("/new.html", "moved here");

  EXPECT_EQ(fetch(server.url("/old")), Transfer::kStateResponseCompleted);

  EXPECT_EQ(readAll(100), "moved here");
  EXPECT_EQ(transfer.URL(), server.url("/old"));
}

TEST_F(CurlTransferTest, ReportsErrorsWithoutAnAnswerToRead) {
  RefusingPort closed;

  EXPECT_EQ(fetch(server.url("/missing.html")), Transfer::kStateError);
  EXPECT_EQ(transfer.GetChunk(32000), "");
  EXPECT_EQ(fetch(closed.url("/x")), Transfer::kStateError);
  EXPECT_EQ(fetch("file:///etc/passwd"), Transfer::kStateError);
  EXPECT_EQ(transfer.GetChunk(32000), "");
  EXPECT_EQ(fetch(""), Transfer::kStateError);
  EXPECT_FALSE(transfer.StillExecuting());
}

TEST_F(CurlTransferTest, CancelAndANewExecuteDropTheRunningFetchSilently) {
  server.reply("/slow.html", delayedReply(std::chrono::seconds(30), "late"));
  server.page("/quick.html", "quick");

  transfer.Execute(server.url("/slow.html"));
  ASSERT_TRUE(pumpUntil(loop, [&] { return server.requestCount("/slow.html") == 1; }));
  transfer.Cancel();
  EXPECT_FALSE(transfer.StillExecuting());
  transfer.Cancel();  // a second cancel, and one with nothing running, are harmless
  loop.runPending();
  EXPECT_TRUE(states.empty());

  transfer.Execute(server.url("/slow.html"));
  EXPECT_EQ(fetch(server.url("/quick.html")), Transfer::kStateResponseCompleted);
  loop.runPending();
  EXPECT_EQ(states.size(), 1u);
  EXPECT_EQ(readAll(100), "quick");
}

TEST_F(CurlTransferTest, AHandlerCanReadTheAnswerAndStartTheNextFetch) {
  server.page("/1", "one");
  server.page("/2", "two");
  std::vector<std::string> answers;
  transfer.onStateChanged = [&](int state) {
    states.push_back(state);
    answers.push_back(transfer.GetChunk(32000));
    if (answers.size() < 3) transfer.Execute(server.url(answers.size() == 1 ? "/2" : "/3"));
  };

  transfer.Execute(server.url("/1"));
  ASSERT_TRUE(pumpUntil(loop, [&] { return states.size() == 3; }));

  EXPECT_THAT(answers, ::testing::ElementsAre("one", "two", ""));
  EXPECT_THAT(states, ::testing::ElementsAre(12, 12, 11));
  EXPECT_FALSE(transfer.StillExecuting());
}

TEST(HttpFetchTest, CutsABodyAtItsCapAndStillTakesItAsTheAnswer) {
  LocalHttpServer server;
  server.page("/huge.txt", std::string(HttpFetch::kMaxBodyBytes + 1000, 'h'), "text/plain");
  HttpFetch fetch;
  const FetchResult result = fetch.run(server.url("/huge.txt"));
  EXPECT_EQ(result.outcome, FetchResult::Outcome::Completed);
  EXPECT_EQ(result.status, 200);
  EXPECT_EQ(result.body.size(), HttpFetch::kMaxBodyBytes);
}

TEST(CurlTransferLifetimeTest, DestroyingARunningTransferIsSafe) {
  LocalHttpServer server;
  server.reply("/slow.html", delayedReply(std::chrono::seconds(30)));
  ManualEventLoop loop;
  bool reported = false;
  {
    CurlTransfer transfer(loop);
    transfer.onStateChanged = [&](int) { reported = true; };
    transfer.Execute(server.url("/slow.html"));
    ASSERT_TRUE(pumpUntil(loop, [&] { return server.requestCount("/slow.html") == 1; }));
  }
  {
    // Destroyed with its completion already waiting on the loop.
    server.page("/quick.html", "quick");
    CurlTransfer transfer(loop);
    transfer.onStateChanged = [&](int) { reported = true; };
    transfer.Execute(server.url("/quick.html"));
    ASSERT_TRUE(testing::waitUntil([&] { return loop.pendingCount() > 0; }));
  }
  loop.runPending();
  EXPECT_FALSE(reported);
}

}  // namespace
}  // namespace vendaro
