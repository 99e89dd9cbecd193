#pragma once

#include "platform/Dialogs.h"
#include "platform/EventLoop.h"
#include "platform/controls/ListControl.h"
#include "platform/controls/ProgressBar.h"
#include "platform/controls/StatusBar.h"
#include "platform/controls/TextBox.h"
#include "submit/KeywordHarvest.h"

namespace vendaro {

// The "Analysis" page of the submission tool over a `KeywordHarvest`: the
// merchant's keywords (List1) are swept over the search engines, the links
// found are queued in List2, and "Read" harvests titles (List3),
// descriptions (List4) and keywords (List5). The lists, the progress bars
// and the status bar show what the harvest tells; the end of the reading is
// announced once, when both readers are done.
class KeywordResearch {
 public:
  KeywordResearch(EventLoop& loop, Dialogs& dialogs, ResearchBrowsers browsers,
                  SearchEngines engines);
  KeywordResearch(const KeywordResearch&) = delete;
  KeywordResearch& operator=(const KeywordResearch&) = delete;

  TextBox Text6;       // keyword entry
  ListControl List1;   // keywords
  ListControl List2;   // collected links
  ListControl List3;   // titles
  ListControl List4;   // descriptions
  ListControl List5;   // keywords of the pages
  TextBox Text3;       // company name
  TextBox Text4;       // e-mail
  TextBox Text5;       // contact name
  ListControl Combo1;  // project name
  ProgressBar ProgressBar1;
  ProgressBar ProgressBar2;
  StatusBar StatusBar1{2};

  void Command1_Click();  // "Add keyword"
  void Command5_Click();  // "Search"
  void Command6_Click();  // "Read"
  void List1_DblClick();

  const KeywordHarvest& harvest() const { return harvest_; }

 private:
  void showHarvested(const Harvest& added);
  void readingOver();

  Dialogs& dialogs_;
  KeywordHarvest harvest_;
};

}  // namespace vendaro
