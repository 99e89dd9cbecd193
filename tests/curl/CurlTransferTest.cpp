#include "platform/curl/CurlTransfer.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "platform/curl/HttpFetch.h"
#include "tests/support/LocalHttpServer.h"
#include "tests/support/LoopPump.h"
#include "tests/support/ManualEventLoop.h"

namespace vendaro {
namespace {

using testing::delayedReply;
using testing::LocalHttpServer;
using testing::pumpUntil;
using testing::RefusingPort;

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
