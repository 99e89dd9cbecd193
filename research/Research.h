#pragma once

#include "platform/Dialogs.h"
#include "platform/EventLoop.h"
#include "research/KeywordSearch.h"
#include "research/LinkCollection.h"
#include "research/PageReader.h"
#include "research/PageText.h"
#include "research/ResearchPorts.h"

namespace vendaro {

// The web research of the main window: link collection and crawler, keyword
// search and page reader over the window's shared lists, wired to each
// other as the search hands its result to the reader.
class Research {
 public:
  Research(const ResearchPorts& ports, Dialogs& dialogs, EventLoop& loop);
  Research(const Research&) = delete;
  Research& operator=(const Research&) = delete;

  // Stops the crawl, every fetch and the reader at once.
  void stop();
  // The main window's stop command: link gathering ends, the fetchers'
  // transfers are cancelled and the crawl, the search and the reader stop.
  void stopCommand();
  // The window unloads: the fetchers' transfers are cancelled.
  void unload() { search.cancelFetches(); }

  ResearchFlags flags;
  LinkCollection links;
  PageReader reader;
  KeywordSearch search;

 private:
  ResearchLists& lists_;
};

}  // namespace vendaro
