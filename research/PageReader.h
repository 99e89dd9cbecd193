#pragma once

#include <functional>
#include <string>

#include "platform/Dialogs.h"
#include "platform/EventLoop.h"
#include "platform/PageDocument.h"
#include "platform/controls/Label.h"
#include "research/PageText.h"
#include "research/ReportReading.h"
#include "research/ResearchPorts.h"

namespace vendaro {

// The report list `List3` and the page reader: "Add Link" describes the page
// shown, "Create Full Report" reads every page of the links list with a
// `ReportReading` in the hidden pane `WebBrowser2` (its queue shown in
// `List4`) and describes each, and the View menu shows, saves and edits the
// rows.
class PageReader {
 public:
  // `command1` is the links list's "Clear All" button, hidden with the list.
  PageReader(const ResearchPorts& ports, Dialogs& dialogs, EventLoop& loop, ResearchFlags& flags,
             Label& command1);
  PageReader(const PageReader&) = delete;
  PageReader& operator=(const PageReader&) = delete;
  ~PageReader();

  void AddPageContacts(const PageDocument* document);
  void addlink_Click();
  void viewreport_Click();
  void ReadNextPage();
  void readnext_Click();
  void viewlinks_Click();
  void savereport_Click();
  void listlisting_Click();
  void closel3_Click();
  void Clearalllinks_Click();
  void List3_DblClick();
  // Ends the reading at once; the queue stays for "Read next".
  void stop();

  // The text "Save report" writes, without the final line end.
  std::string reportFileText() const;

  Label closel3{"Close"};
  Label Clearalllinks{"Clear All Links"};
  // Runs when the reader stops: the report is complete or a time-out
  // without live results ended it.
  std::function<void()> onStopped;

 private:
  void askCollectImages();
  void showReportList(bool shown);
  void describe(const PageDocument* page);
  void complete();
  void writeReport();

  SavedLists& saved_;
  ResearchLists& lists_;
  StatusText& status_;
  PaneNavigator& panes_;
  ListControl& keywords_;
  const BrowsingZone& zone_;
  Dialogs& dialogs_;
  ResearchFlags& flags_;
  Label& command1_;
  ReportReading reading_;
  Control::ListenerId queueListener_ = 0;
};

}  // namespace vendaro
