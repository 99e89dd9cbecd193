#include <iostream>
#include <memory>

#include "submit/ResearchCommand.h"
#include "submit/SubmitSubsystem.h"

namespace vendaro {

void addSubmitCommandLine(CommandLine& commandLine) {
  auto options = std::make_shared<ResearchOptions>();
  auto output = std::make_shared<std::string>();
  CLI::App* research = commandLine.add(
      "research",
      "Search the engines for keywords and harvest the titles, descriptions and keywords of "
      "the pages found");
  research->add_option("--keyword", options->keywords, "A keyword (repeat for more)")->required();
  research->add_option("--engine", options->engines,
                       "Only this engine (repeat for more): webcrawler, altavista, hotbot, "
                       "infoseek, magellan, yahoo, lycos, excite");
  research->add_option("--output", *output,
                       "Folder of the files written (default: the output folder)");
  research->add_option("--company", options->company, "Company name heading the pages' texts");
  research->add_flag("--pages", options->pages, "Also generate the pages rep000.htm, ...");
  research->callback([&commandLine, options, output] {
    commandLine.choose([options, output](const AppContext& context) {
      ResearchOptions chosen = *options;
      chosen.output = output->empty() ? context.folders.outputFolder(context.folder)
                                      : std::filesystem::path(*output);
      return runResearchCommand(chosen, SearchEngineSettings::read(context.settings), std::cout,
                                std::cerr);
    });
  });
}

}  // namespace vendaro
