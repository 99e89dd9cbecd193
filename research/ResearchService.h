#pragma once

#include <array>
#include <cstddef>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/BlockingEventLoop.h"
#include "platform/Browser.h"
#include "platform/Outcome.h"
#include "platform/Transfer.h"
#include "platform/curl/PageLoader.h"

namespace vendaro {

// The web research as a service: the links of one page, and the pages that
// hold keywords, with their report. `vendaro links` and `vendaro find` run
// them; the main window's research runs the same parts (`gatherLinks`,
// `PageSearch`, `ReportReading`) over its lists.

// What `links` asks for.
struct LinksOptions {
  std::string address;
  std::string keyword;  // the filter of "Get/Add all Links"; empty takes every link
};

// The links of a page, as "Get/Add all Links" collects them.
struct PageLinks {
  std::vector<std::string> links = {};
  // Elements nested deeper than the parser reads, read one level up.
  std::size_t flattenedElements = 0;
};

// What `find` looks for.
enum class FindKind { Keywords, Email, Contact };

// What `find` asks for.
struct FindOptions {
  FindKind kind = FindKind::Keywords;
  std::vector<std::string> keywords = {};
  std::filesystem::path report = {};  // empty: no report
  std::vector<std::string> addresses = {};
};

// A page that could not be read, and why.
struct PageFailure {
  std::string address;
  std::string why;
};

// What a search found.
struct FoundPages {
  std::vector<std::string> found = {};   // in the order found
  std::vector<PageFailure> failed = {};  // in the order they failed
  // With a report file: whether it was written (Io: why not).
  Done reportWritten = {};
};

// The fetchers of a search: four transfers and the hidden pane of the report.
struct SearchFetchers {
  std::array<std::unique_ptr<Transfer>, 4> transfers;
  std::unique_ptr<Browser> reportPane;
};

// Loads the page in `loader` (giving up after 30 seconds; the loader tells
// why a page failed) and gathers its links. Fails when the address is not http or https (BadInput)
// or the page cannot be read: no connection, an error status, a reply cut short, too many
// redirects, no answer (Network).
Outcome<PageLinks> readPageLinks(const LinksOptions& options, PageLoader& loader,
                                 BlockingEventLoop& loop);

// Searches the pages of `options` with the four fetchers (a page that cannot
// be read is noted and the others are still searched) and, with a report
// file, reads the pages found in the report pane and writes the report page
// there (without pages found, an empty report). The words of a keyword
// search are tried last given first. Fails when there is no word to look
// for (BadInput).
Outcome<FoundPages> findPages(const FindOptions& options, SearchFetchers fetchers,
                              BlockingEventLoop& loop);

}  // namespace vendaro
