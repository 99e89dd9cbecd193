#pragma once

#include <ostream>

#include "research/ResearchService.h"

namespace vendaro {

// The fetchers of a search over libcurl and a page loader.
SearchFetchers curlSearchFetchers(EventLoop& loop);

// `vendaro links`: prints the links of the page, one per line. Returns 0;
// kExitError with a message on `err` when the address is not http or https;
// 1 with the address and the reason on `err` when the page cannot be read.
int runLinksCommand(const LinksOptions& options, std::ostream& out, std::ostream& err);

// `vendaro find`: prints the pages found, one per line, and names each page
// that could not be read on `err` with the reason. Returns 0 when every page
// was read, 1 when one was not, kExitError when the report cannot be written.
int runFindCommand(const FindOptions& options, std::ostream& out, std::ostream& err);

}  // namespace vendaro
