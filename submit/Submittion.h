#pragma once

#include <filesystem>

#include "submit/KeywordPages.h"
#include "submit/KeywordResearch.h"

namespace vendaro {

// The submission tool's window, "Submittion tool": the tab control SSTab1
// with "Analysis" (the research) and "Synthesis" and "Creation" (the pages).
class Submittion {
 public:
  static constexpr const char* kFormName = "Submittion";
  static constexpr const char* kCaption = "Submittion tool";

  Submittion(EventLoop& loop, Dialogs& dialogs, ResearchBrowsers browsers, SearchEngines engines,
             const ListControl& address, std::filesystem::path folder,
             KeywordPages::Actions actions)
      : research(loop, dialogs, std::move(browsers), std::move(engines)),
        pages(research, address, dialogs, std::move(folder), std::move(actions)) {}

  KeywordResearch research;
  KeywordPages pages;
};

}  // namespace vendaro
