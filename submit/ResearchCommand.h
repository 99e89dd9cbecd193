#pragma once

#include <ostream>

#include "platform/EventLoop.h"
#include "submit/ResearchService.h"

namespace vendaro {

// The three browsers of the research on page loaders; the two readers show a
// page that answers with an error status as an empty page.
ResearchBrowsers researchPageLoaders(EventLoop& loop);

// `vendaro research`: runs the research of `options` on real page loaders
// and prints what it wrote; status texts go to `errors` as progress.
// Returns the exit code.
int runResearchCommand(const ResearchOptions& options, const SearchEngineSettings& settings,
                       std::ostream& out, std::ostream& errors);

}  // namespace vendaro
