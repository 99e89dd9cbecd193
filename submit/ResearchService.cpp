#include "submit/ResearchService.h"

#include <algorithm>
#include <stdexcept>
#include <system_error>

#include "common/ListFilling.h"
#include "common/TextFile.h"
#include "platform/Text.h"
#include "submit/KeywordTexts.h"
#include "submit/RepPage.h"

namespace vendaro {
namespace {

constexpr std::string_view kBlockSeparator = "\r\n\r\n";

std::vector<std::string> blocksOf(const std::string& text) {
  std::vector<std::string> blocks;
  SplitToList(text, blocks, kBlockSeparator, SplitTail::KeepUnlessBlank);
  return blocks;
}

std::vector<std::string> keywordList(const std::vector<std::string>& typed) {
  std::vector<std::string> keywords;
  for (const std::string& keyword : typed) {
    const std::string_view trimmed = text::trimmed(keyword);
    if (!trimmed.empty()) AddUnique(trimmed, keywords);
  }
  return keywords;
}

Outcome<SearchEngines> chosenEngines(const ResearchOptions& options,
                                     const SearchEngineSettings& settings) {
  if (options.engines.empty()) return SearchEngines(settings);
  try {
    return SearchEngines(settings, options.engines);
  } catch (const std::invalid_argument& error) {
    return failure(ErrorKind::BadInput, error.what());
  }
}

// Sweeps, then reads, until no link is left and both readers are idle.
void harvestToEnd(KeywordHarvest& harvest, BlockingEventLoop& loop) {
  harvest.events.sweepOver = [&] { loop.post([&] { harvest.read(); }); };
  harvest.events.readingOver = [&] { loop.stop(); };
  loop.post([&] { harvest.sweep(); });
  loop.run();
}

std::string lines(const std::vector<std::string>& entries) {
  std::string text;
  for (const std::string& entry : entries) text.append(entry).append(text::kCrLf);
  return text;
}

void writeHarvest(const Harvest& harvest, const std::filesystem::path& folder, ResearchRun& run) {
  const std::pair<const char*, const std::vector<std::string>*> files[] = {
      {"titles.txt", &harvest.titles},
      {"descriptions.txt", &harvest.descriptions},
      {"keywords.txt", &harvest.keywords}};
  for (const auto& [name, entries] : files) {
    const std::filesystem::path file = folder / name;
    if (!writeWholeFile(file, lines(*entries))) {
      run.filesWritten = failure(ErrorKind::Io, file.string() + " cannot be written");
      return;
    }
    run.files.push_back({file, entries->size()});
  }
}

}  // namespace

PageBlocks blocksOfHarvest(const std::string& company, const std::vector<std::string>& keywords,
                           const Harvest& harvest) {
  return {blocksOf(keyword_texts::titles(company, keywords, harvest.titles)),
          blocksOf(keyword_texts::descriptions(company, harvest.descriptions)),
          blocksOf(keyword_texts::keywords(harvest.keywords))};
}

Outcome<std::vector<std::filesystem::path>> writeRepPages(const PageBlocks& blocks,
                                                          const std::vector<std::string>& links,
                                                          const std::filesystem::path& folder) {
  const std::size_t pages =
      std::min({blocks.titles.size(), blocks.descriptions.size(), blocks.keywords.size()});
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  std::vector<std::filesystem::path> written;
  for (std::size_t j = 0; j < pages; ++j) {
    const RepPage page{blocks.titles[j], blocks.descriptions[j], blocks.keywords[j], links};
    const std::filesystem::path file = folder / RepPage::fileName(static_cast<int>(j));
    if (!writeWholeFile(file, page.text())) {
      return failure(ErrorKind::Io, "The page " + file.string() + " cannot be written.");
    }
    written.push_back(file);
  }
  return written;
}

Outcome<ResearchRun> runResearch(const ResearchOptions& options,
                                 const SearchEngineSettings& settings, ResearchBrowsers browsers,
                                 BlockingEventLoop& loop,
                                 const std::function<void(const std::string& text)>& status) {
  std::error_code error;
  std::filesystem::create_directories(options.output, error);
  if (!std::filesystem::is_directory(options.output)) {
    return failure(ErrorKind::Io,
                   "the output folder " + options.output.string() + " cannot be made");
  }
  Outcome<SearchEngines> engines = chosenEngines(options, settings);
  if (!engines) return engines.error();
  const std::vector<std::string> keywords = keywordList(options.keywords);
  KeywordHarvest harvest(loop, std::move(browsers), std::move(*engines));
  harvest.setKeywords(keywords);
  harvest.events.status = status;
  harvestToEnd(harvest, loop);

  ResearchRun run;
  run.harvest = harvest.harvest();
  writeHarvest(run.harvest, options.output, run);
  if (run.filesWritten && options.pages) {
    run.pages =
        writeRepPages(blocksOfHarvest(options.company, keywords, run.harvest), {}, options.output);
  }
  return run;
}

}  // namespace vendaro
