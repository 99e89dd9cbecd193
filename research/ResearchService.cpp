#include "research/ResearchService.h"

#include <algorithm>

#include "common/TextFile.h"
#include "platform/Text.h"
#include "research/LinkGathering.h"
#include "research/PageSearch.h"
#include "research/ReportReading.h"
#include "research/ReportRows.h"

namespace vendaro {
namespace {

constexpr int kPageWaitMs = 30000;

std::vector<std::string> wordsOf(const FindOptions& options) {
  switch (options.kind) {
    case FindKind::Email:
      return PageSearch::emailWords();
    case FindKind::Contact:
      return PageSearch::contactWords();
    case FindKind::Keywords:
      break;
  }
  // The word given last is tried first, as in the keyword box.
  return {options.keywords.rbegin(), options.keywords.rend()};
}

// Loads `address` in `loader`; the reason it could not be read, or empty.
std::string load(PageLoader& loader, const std::string& address, BlockingEventLoop& loop) {
  bool answered = false;
  loader.onDocumentComplete = [&](FrameLevel level, const std::string&) {
    if (level != FrameLevel::TopLevel) return;
    answered = true;
    loop.stop();
  };
  // A server that accepts and never answers is given up as the window's
  // loaders give it up.
  const EventLoop::TaskId giveUp = loop.postDelayed(kPageWaitMs, [&loop] { loop.stop(); });
  loader.Navigate(address);
  loop.run();
  loop.cancel(giveUp);
  loader.onDocumentComplete = nullptr;
  return answered ? loader.LoadError() : "no answer within 30 seconds";
}

}  // namespace

Outcome<PageLinks> readPageLinks(const LinksOptions& options, PageLoader& loader,
                                 BlockingEventLoop& loop) {
  if (!text::isWebAddress(options.address)) {
    return failure(ErrorKind::BadInput,
                   "only http and https addresses can be read: " + options.address);
  }
  const std::string why = load(loader, options.address, loop);
  const std::shared_ptr<const PageDocument> page = loader.Document();
  if (!why.empty() || !page) {
    return failure(ErrorKind::Network, "cannot read " + options.address + ": " + why);
  }
  return PageLinks{gatherLinks({page.get()}, {}, options.keyword).addresses,
                   page->flattenedElements};
}

Outcome<FoundPages> findPages(const FindOptions& options, SearchFetchers fetchers,
                              BlockingEventLoop& loop) {
  const std::vector<std::string> words = wordsOf(options);
  if (words.empty()) return failure(ErrorKind::BadInput, "no word to look for");
  const bool wantsReport = !options.report.empty();
  // Nobody is there to press "Read next": a page that times out is skipped.
  const ResearchFlags flags{true, false};
  PageSearch search(loop, [&fetchers](int fetcher) -> Transfer& {
    return *fetchers.transfers.at(static_cast<std::size_t>(fetcher - 1));
  });
  ReportReading reading(loop, *fetchers.reportPane, flags);
  FoundPages result;
  std::vector<std::string> rows;
  search.events.failed = [&result](const std::string& address, const std::string& why) {
    result.failed.push_back({address, why});
  };
  search.events.finished = [&](const std::vector<std::string>& found) {
    result.found = found;
    if (!wantsReport || found.empty()) {
      loop.stop();
      return;
    }
    reading.read(found);
  };
  reading.events.pageRead = [&](const PageDocument* page) {
    AddPageReport(page, words, flags.collectImages, rows);
  };
  reading.events.stopped = [&loop] { loop.stop(); };
  search.start(options.addresses, words);
  loop.run();
  if (wantsReport && !writeWholeFile(options.report, reportFileText(rows) + "\r\n")) {
    result.reportWritten = failure(ErrorKind::Io, "cannot write " + options.report.string());
  }
  return result;
}

}  // namespace vendaro
