#pragma once

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "platform/EventLoop.h"
#include "submit/KeywordResearch.h"
#include "submit/SearchEngineSettings.h"

namespace vendaro {

struct ResearchOptions {
  std::vector<std::string> keywords;
  std::vector<std::string> engines;  // empty: all eight
  std::filesystem::path output;      // the folder of the files written
  std::string company;               // heads the composed title and description texts
  bool pages = false;                // also generate the "rep" pages
};

// The three browsers of the research on page loaders; the two readers show a
// page that answers with an error status as an empty page.
ResearchBrowsers researchPageLoaders(EventLoop& loop);

// `vendaro research`: sweeps the keywords over the engines and reads the
// pages found with the submission tool's window model on real page loaders,
// then writes the harvest as "titles.txt", "descriptions.txt" and
// "keywords.txt" (one entry a line) into the output folder and, with
// `pages`, the pages "Generate" makes from the whole harvest. Status texts go
// to `errors` as progress. Returns the exit code.
int runResearchCommand(const ResearchOptions& options, const SearchEngineSettings& settings,
                       std::ostream& out, std::ostream& errors);

}  // namespace vendaro
