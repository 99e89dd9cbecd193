#include "submit/ResearchCommand.h"

#include <memory>

#include "common/CommandLine.h"
#include "platform/BlockingEventLoop.h"
#include "platform/curl/PageLoader.h"

namespace vendaro {

// The readers harvest, so an error page reads as an empty one.
ResearchBrowsers researchPageLoaders(EventLoop& loop) {
  auto reader = [&loop] {
    auto loader = std::make_unique<PageLoader>(loop);
    loader->setErrorPagesEmpty(true);
    return loader;
  };
  return {std::make_unique<PageLoader>(loop), reader(), reader()};
}

int runResearchCommand(const ResearchOptions& options, const SearchEngineSettings& settings,
                       std::ostream& out, std::ostream& errors) {
  BlockingEventLoop loop;
  std::string shown;  // the status text printed last
  const Outcome<ResearchRun> run =
      runResearch(options, settings, researchPageLoaders(loop), loop, [&](const std::string& text) {
        if (text == shown) return;
        shown = text;
        errors << shown << "\n";
      });
  if (!run) {
    errors << "vendaro: " << run.error().message << "\n";
    return kExitError;
  }
  out << KeywordHarvest::kReadingDoneMessage << "\n";
  for (const HarvestFile& file : run->files) {
    out << file.path.string() << ": " << file.entries << " entries\n";
  }
  if (!run->filesWritten) {
    errors << "vendaro: " << run->filesWritten.error().message << "\n";
    return kExitError;
  }
  if (!run->pages) return 0;
  if (!*run->pages) {
    errors << run->pages->error().message << "\n";
    return kExitError;
  }
  out << kPagesWrittenMessage << "\n";
  return 0;
}

}  // namespace vendaro
