#include <gtest/gtest.h>

#include <string>

#include "platform/curl/CurlTransfer.h"
#include "tests/browse/BrowseFixture.h"
#include "tests/support/LocalHttpServer.h"
#include "tests/support/LoopPump.h"

namespace vendaro::testing {
namespace {

using Entries = std::vector<std::string>;

// The workbench with real transfers against a loopback vendor site; fake panes.
class VendorSiteTest : public BrowseFixture {
 protected:
  VendorSiteTest() {
    makeTransfer = [this] { return std::make_unique<CurlTransfer>(loop); };
    popupChoice = 0;
    vendor.baseUrl = server.url("");
    server.page("/pubchannels.txt", "Shop<http://shop.example/>\r\nHelp</help.htm>", "text/plain");
    server.page("/pubsearch.txt", "Find<http://find.example/>", "text/plain");
    server.page("/list5.txt", home(1) + "\r\n" + home(2) + "\r\n" + home(3) + "\r\n", "text/plain");
  }
  std::string home(int n) const { return server.url("/home" + std::to_string(n) + ".htm"); }
  bool pump(const std::function<bool()>& done) { return pumpUntil(loop, done); }
  bool listsArrived() {
    return browsing->lists.Picture8.Visible() && browsing->lists.Picture11.Visible() &&
           !browsing->homePages.Inet10.StillExecuting() && loop.pendingCount() == 0;
  }

  LocalHttpServer server;
};

TEST_F(VendorSiteTest, ListsAndHomePagesAtStartRotatingOverThreeStarts) {
  start();
  ASSERT_TRUE(pump([&] { return listsArrived() && !browser1->navigations.empty(); }));
  EXPECT_EQ(browsing->lists.pubch.child(0).Caption(), "Shop");
  EXPECT_EQ(browsing->lists.ara2.List(2), server.url("/help.htm"));
  EXPECT_EQ(browser1->navigations, Entries{home(1)});

  // Choosing the first channel, answering No: it opens in the main pane.
  dialogs.messageAnswers = {MessageResult::No};
  form->commands.run("chann");
  EXPECT_EQ(browser1->navigations.back(), "http://shop.example/");

  for (int n : {2, 3}) {
    start();
    ASSERT_TRUE(pump([&] { return !browser1->navigations.empty(); }));
    EXPECT_EQ(browser1->navigations, Entries{home(n)}) << "start " << n;
  }
  // Every home page shown: the vendor home, and the cycle starts again.
  start();
  ASSERT_TRUE(pump([&] { return !browser1->navigations.empty(); }));
  EXPECT_EQ(browser1->navigations, Entries{vendor.baseUrl});
  form->Form_Unload();
  EXPECT_EQ(folder.read("list6.prv"), "\"\"\r\n");
}

}  // namespace
}  // namespace vendaro::testing
