#pragma once

#include "common/MainWindowControls.h"
#include "platform/Dialogs.h"
#include "platform/EventLoop.h"
#include "research/KeywordSearch.h"
#include "research/LinkCollection.h"
#include "research/PageReader.h"
#include "research/PageText.h"

namespace vendaro {

// The web research of the main window: link collection and crawler, keyword
// search and page reader over the window's shared lists, wired to each
// other as the search hands its result to the reader.
class Research {
 public:
  Research(MainWindowControls& main, Dialogs& dialogs, EventLoop& loop);
  Research(const Research&) = delete;
  Research& operator=(const Research&) = delete;

  // Stops the crawl, every fetch and the reader at once.
  void stop();

  ResearchFlags flags;
  LinkCollection links;
  PageReader reader;
  KeywordSearch search;
};

}  // namespace vendaro
