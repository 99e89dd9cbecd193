// Times "Get/Add all Links" on one page of 10,000 links (the first argument
// changes it): the first run gathers every link, the second finds each one
// already in the report list. The page is written into the pane, so only the
// gathering is timed, not the fetch. Then times reading and gathering pages
// of 25,000, 100,000 and 200,000 nested <div> elements with one link.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "platform/BlockingEventLoop.h"
#include "platform/HeadlessDialogs.h"
#include "platform/curl/CurlTransfer.h"
#include "platform/curl/PageLoader.h"
#include "research/Research.h"

using namespace vendaro;

namespace {

std::string pageOfLinks(int count) {
  std::string html = "<html><body>";
  for (int i = 0; i < count; ++i) {
    const std::string n = std::to_string(i);
    html += "<p><a href='http://shop.example/catalogue/item" + n + ".htm'>Item number " + n +
            "</a></p>";
  }
  return html + "</body></html>";
}

std::string nestedPage(int depth) {
  std::string html = "<html><body>";
  for (int i = 0; i < depth; ++i) html += "<div>";
  return html + "<a href='http://shop.example/deep.htm'>deep</a></body></html>";
}

double millisecondsOf(const std::function<void()>& work) {
  const auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
      .count();
}

}  // namespace

int main(int argc, char** argv) {
  const int count = argc > 1 ? std::atoi(argv[1]) : 10000;
  BlockingEventLoop loop;
  PageLoader pane1(loop), pane5(loop), pane2(loop), pane3(loop), pane4(loop);
  MainWindowControls main({pane1, pane5, pane2, pane3, pane4},
                          [&loop] { return std::make_unique<CurlTransfer>(loop); });
  main.WebBrowser5.setVisible(false);
  HeadlessDialogs dialogs;
  Research research(main, dialogs, loop);
  pane1.writeDocument(pageOfLinks(count));

  const double first = millisecondsOf([&] { research.links.getlinks_Click(); });
  const double second = millisecondsOf([&] { research.links.getlinks_Click(); });
  std::printf("Get links, page of %d links: %.1f ms (%d gathered), again: %.1f ms (%d added)\n",
              count, first, main.listlinks.ListCount(), second, main.listlinks.ListCount() - count);
  bool linksFound = main.listlinks.ListCount() == count;

  for (int depth : {25000, 100000, 200000}) {
    const std::string page = nestedPage(depth);
    main.listlinks.Clear();
    main.List3.Clear();
    const double nested = millisecondsOf([&] {
      pane1.writeDocument(page);
      research.links.getlinks_Click();
    });
    std::printf("Read and get links, %d nested <div> (%zu bytes): %.1f ms (%d gathered)\n", depth,
                page.size(), nested, main.listlinks.ListCount());
    linksFound = linksFound && main.listlinks.ListCount() == 1;
  }
  return linksFound ? 0 : 1;
}
