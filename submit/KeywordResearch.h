#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/Browser.h"
#include "platform/Dialogs.h"
#include "platform/EventLoop.h"
#include "platform/controls/ListControl.h"
#include "platform/controls/ProgressBar.h"
#include "platform/controls/StatusBar.h"
#include "platform/controls/TextBox.h"
#include "platform/controls/Timer.h"
#include "submit/SearchEngines.h"

namespace vendaro {

// The three hidden browsers of the keyword research: one for the engines'
// result pages, two that read the collected pages in parallel.
struct ResearchBrowsers {
  std::unique_ptr<Browser> WebBrowser1;
  std::unique_ptr<Browser> WebBrowser2;
  std::unique_ptr<Browser> WebBrowser3;
};

// The "Analysis" page of the submission tool: the merchant's keywords are
// swept over the search engines (every engine for the first keyword, then
// every engine for the next), the links of each result page that match the
// keyword are collected into List2, and "Read" then reads them two at a time,
// harvesting titles (List3), descriptions (List4) and keywords (List5). The
// readers show a page that answers with an error status as an empty page,
// so nothing of it is harvested. The end of the reading is announced once,
// when both readers are done.
// Each browser has a 30-second watchdog. An engine that does not answer in
// kTriesPerEngine tries is skipped with a status text, so the sweep always ends.
class KeywordResearch {
 public:
  static constexpr int kWatchdogMs = 30000;
  static constexpr int kTriesPerEngine = 3;
  static constexpr const char* kReadingDoneMessage =
      "I'v done the search,You may analyse the result on next table";

  KeywordResearch(EventLoop& loop, Dialogs& dialogs, ResearchBrowsers browsers,
                  SearchEngines engines);
  ~KeywordResearch();
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
  Timer Timer1;
  Timer Timer2;
  Timer Timer3;
  ProgressBar ProgressBar1;
  ProgressBar ProgressBar2;
  StatusBar StatusBar1{2};

  // The sweep position: a keyword of List1 and an engine of the table.
  int keywordIndex = 0;
  int engineIndex = 0;

  void Command1_Click();  // "Add keyword"
  void Command5_Click();  // "Search"
  void Command6_Click();  // "Read"
  void List1_DblClick();
  void WebBrowser1_DocumentComplete();
  void WebBrowser2_DocumentComplete();
  void WebBrowser3_DocumentComplete();
  void Timer1_Timer();
  void Timer2_Timer();
  void Timer3_Timer();

  const SearchEngines& engines() const { return engines_; }
  const Browser& browser(int number) const;

  // Raised when the sweep has passed the last keyword, and each time the read
  // step finds no link left (as the end message is shown).
  std::function<void()> onSweepOver;
  std::function<void()> onReadingOver;

 private:
  void sweepStep();
  void engineGivenUp();
  void readStep();
  void startReading(Browser& reader, Timer& watchdog);
  void harvest(const Browser& reader, Timer& watchdog);
  std::string currentKeyword() const;

  Dialogs& dialogs_;
  ResearchBrowsers browsers_;
  SearchEngines engines_;
  // Watchdog expiries of the engine being asked.
  int tries_ = 0;
  // Whether this reading's end has been announced.
  bool readingAnnounced_ = false;
};

}  // namespace vendaro
