#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/BlockingEventLoop.h"
#include "platform/Outcome.h"
#include "submit/KeywordHarvest.h"
#include "submit/SearchEngineSettings.h"

namespace vendaro {

// The submission tool as a service: the keyword research run to its end,
// its harvest written as files, and the pages made from the harvest.
// `vendaro research` runs all of it; the window's pages use `writeRepPages`.

// What the window and the command say once the pages are written.
inline constexpr const char* kPagesWrittenMessage = " You'v got it";

struct ResearchOptions {
  std::vector<std::string> keywords;
  std::vector<std::string> engines = {};  // empty: all eight
  std::filesystem::path output = {};      // the folder of the files written
  std::string company = {};               // heads the composed title and description texts
  bool pages = false;                     // also make the "rep" pages
};

// The blocks of the three texts the pages are made from: block j of each
// list goes into page j.
struct PageBlocks {
  std::vector<std::string> titles = {};
  std::vector<std::string> descriptions = {};
  std::vector<std::string> keywords = {};
};

// A harvest file written and the entries it holds.
struct HarvestFile {
  std::filesystem::path path;
  std::size_t entries = 0;
};

// What one research did.
struct ResearchRun {
  Harvest harvest = {};
  // The harvest files written, in order, and why the next could not be (Io).
  std::vector<HarvestFile> files = {};
  Done filesWritten = {};
  // With `pages`, once the files were written: the pages written, or why
  // one could not be (Io).
  std::optional<Outcome<std::vector<std::filesystem::path>>> pages = {};
};

// The blocks the "Synthesis" page keeps when its three texts are composed
// from the harvest and saved unchanged, as `vendaro research --pages` makes them.
PageBlocks blocksOfHarvest(const std::string& company, const std::vector<std::string>& keywords,
                           const Harvest& harvest);

// Writes one page per block position of the shortest list into `folder`
// (made when missing), with the merchant's `links` (HTML) on every page.
// Fails (Io) naming the first page that could not be written.
Outcome<std::vector<std::filesystem::path>> writeRepPages(const PageBlocks& blocks,
                                                          const std::vector<std::string>& links,
                                                          const std::filesystem::path& folder);

// Runs the research of `options` over `browsers` on `loop` to its end: the
// keywords (trimmed, each once, blank ones left out) swept over the chosen
// engines, the pages found read, the harvest written as "titles.txt",
// "descriptions.txt" and "keywords.txt" (one entry a line) into the output
// folder and, with `pages`, the pages made from the whole harvest. Status
// texts go to `status` as they change. Fails, before any search, when the
// output folder cannot be made (Io) or an engine name is unknown (BadInput).
Outcome<ResearchRun> runResearch(const ResearchOptions& options,
                                 const SearchEngineSettings& settings, ResearchBrowsers browsers,
                                 BlockingEventLoop& loop,
                                 const std::function<void(const std::string& text)>& status);

}  // namespace vendaro
