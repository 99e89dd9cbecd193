// Times the gathering of "Get/Add all Links" on one page of 10,000 links (the
// first argument changes it): the first run gathers every link, the second
// finds each one already in the report rows. The page is parsed before, so
// only the gathering is timed, not the fetch. Then times parsing and
// gathering pages of 25,000, 100,000 and 200,000 nested <div> elements with
// one link.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>

#include "platform/html/HtmlParser.h"
#include "research/LinkGathering.h"

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
  const PageDocument links = parseHtmlPage(pageOfLinks(count), "http://shop.example/");
  GatheredLinks gathered;
  const double first = millisecondsOf([&] { gathered = gatherLinks({&links}, {}, ""); });
  GatheredLinks again;
  const double second = millisecondsOf([&] { again = gatherLinks({&links}, gathered.rows, ""); });
  std::printf("Get links, page of %d links: %.1f ms (%zu gathered), again: %.1f ms (%zu added)\n",
              count, first, gathered.addresses.size(), second, again.addresses.size());
  bool linksFound = gathered.addresses.size() == static_cast<std::size_t>(count);

  for (int depth : {25000, 100000, 200000}) {
    const std::string page = nestedPage(depth);
    const double nested = millisecondsOf([&] {
      const PageDocument document = parseHtmlPage(page, "http://shop.example/");
      gathered = gatherLinks({&document}, {}, "");
    });
    std::printf("Read and get links, %d nested <div> (%zu bytes): %.1f ms (%zu gathered)\n", depth,
                page.size(), nested, gathered.addresses.size());
    linksFound = linksFound && gathered.addresses.size() == 1;
  }
  return linksFound ? 0 : 1;
}
