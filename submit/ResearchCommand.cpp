#include "submit/ResearchCommand.h"

#include <memory>
#include <stdexcept>

#include "common/CommandLine.h"
#include "common/TextFile.h"
#include "platform/BlockingEventLoop.h"
#include "platform/HeadlessDialogs.h"
#include "platform/curl/PageLoader.h"
#include "submit/Submittion.h"

namespace vendaro {
namespace {

SearchEngines chosenEngines(const ResearchOptions& options, const SearchEngineSettings& settings) {
  if (options.engines.empty()) return SearchEngines(settings);
  return SearchEngines(settings, options.engines);
}

// Sweeps, then reads, until no link is left and both readers are idle.
void runResearch(KeywordResearch& research, BlockingEventLoop& loop) {
  research.onSweepOver = [&] { loop.post([&] { research.Command6_Click(); }); };
  research.onReadingOver = [&] {
    if (!research.browser(2).Busy() && !research.browser(3).Busy()) loop.stop();
  };
  loop.post([&] { research.Command5_Click(); });
  loop.run();
}

std::string lines(const std::vector<std::string>& entries) {
  std::string text;
  for (const std::string& entry : entries) text.append(entry).append(kCrLf);
  return text;
}

bool writeHarvest(const KeywordResearch& research, const std::filesystem::path& folder,
                  std::ostream& out, std::ostream& errors) {
  const std::pair<const char*, const ListControl*> files[] = {{"titles.txt", &research.List3},
                                                              {"descriptions.txt", &research.List4},
                                                              {"keywords.txt", &research.List5}};
  for (const auto& [name, list] : files) {
    if (!writeWholeFile(folder / name, lines(list->items()))) {
      errors << "vendaro: " << (folder / name).string() << " cannot be written\n";
      return false;
    }
    out << (folder / name).string() << ": " << list->ListCount() << " entries\n";
  }
  return true;
}

void generatePages(KeywordPages& pages) {
  pages.Command7_Click();
  pages.Command10_Click();
  pages.Command8_Click();
  pages.Command11_Click();
  pages.Command9_Click();
  pages.Command12_Click();
  pages.Command15_Click();
}

}  // namespace

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
  std::error_code error;
  std::filesystem::create_directories(options.output, error);
  if (!std::filesystem::is_directory(options.output)) {
    errors << "vendaro: the output folder " << options.output.string() << " cannot be made\n";
    return kExitError;
  }
  BlockingEventLoop loop;
  bool failed = false;
  HeadlessDialogs dialogs([&](const std::string& text, MessageIcon icon) {
    (icon == MessageIcon::Critical ? errors : out) << text << "\n";
    failed = failed || icon == MessageIcon::Critical;
  });
  const ListControl noAddress;
  std::string shown;  // the status text printed last
  Submittion window(loop, dialogs, researchPageLoaders(loop), chosenEngines(options, settings),
                    noAddress, options.output, {});
  KeywordResearch& research = window.research;
  research.Text3.setText(options.company);
  for (const std::string& keyword : options.keywords) {
    research.Text6.setText(keyword);
    research.Command1_Click();
  }
  research.StatusBar1.addListener([&] {
    if (research.StatusBar1.panelText(1) == shown) return;
    shown = research.StatusBar1.panelText(1);
    errors << shown << "\n";
  });
  runResearch(research, loop);
  if (!writeHarvest(research, options.output, out, errors)) return kExitError;
  if (options.pages) generatePages(window.pages);
  return failed ? kExitError : 0;
}

}  // namespace vendaro
