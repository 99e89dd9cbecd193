#include "research/ResearchCommands.h"

#include "common/CommandLine.h"
#include "platform/BlockingEventLoop.h"
#include "platform/curl/CurlTransfer.h"
#include "platform/curl/PageLoader.h"
#include "platform/html/NestingLimit.h"

namespace vendaro {
namespace {

// A command that ran but could not read every page it was given.
constexpr int kExitPageFailed = 1;

}  // namespace

SearchFetchers curlSearchFetchers(EventLoop& loop) {
  SearchFetchers fetchers;
  for (auto& transfer : fetchers.transfers) transfer = std::make_unique<CurlTransfer>(loop);
  fetchers.reportPane = std::make_unique<PageLoader>(loop);
  return fetchers;
}

int runLinksCommand(const LinksOptions& options, std::ostream& out, std::ostream& err) {
  BlockingEventLoop loop;
  PageLoader loader(loop);
  const Outcome<PageLinks> page = readPageLinks(options, loader, loop);
  if (!page) {
    err << "vendaro links: " << page.error().message << '\n';
    return exitCodeFor(page.error().kind);
  }
  if (const std::size_t flattened = page->flattenedElements) {
    err << "vendaro links: " << options.address << " nests its elements more than "
        << kMaxNestingDepth << " deep; " << flattened
        << " deeper elements were read one level up, their links included\n";
  }
  for (const std::string& link : page->links) out << link << '\n';
  return 0;
}

int runFindCommand(const FindOptions& options, std::ostream& out, std::ostream& err) {
  BlockingEventLoop loop;
  const Outcome<FoundPages> pages = findPages(options, curlSearchFetchers(loop), loop);
  if (!pages) {
    err << "vendaro find: " << pages.error().message << '\n';
    return kExitError;
  }
  for (const PageFailure& failure : pages->failed) {
    err << "vendaro find: cannot read " << failure.address << ": " << failure.why << '\n';
  }
  for (const std::string& address : pages->found) out << address << '\n';
  if (!pages->reportWritten) {
    err << "vendaro find: " << pages->reportWritten.error().message << '\n';
    return kExitError;
  }
  return pages->failed.empty() ? 0 : kExitPageFailed;
}

}  // namespace vendaro
