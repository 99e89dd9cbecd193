#pragma once

#include <array>
#include <functional>
#include <memory>
#include <string>

#include "common/PictureCollector.h"
#include "common/VisitRecorder.h"
#include "platform/Browser.h"
#include "platform/BrowserPane.h"
#include "platform/Transfer.h"
#include "platform/controls/Label.h"
#include "platform/controls/ListControl.h"
#include "platform/controls/MenuItem.h"
#include "platform/controls/PictureBox.h"
#include "platform/controls/StatusBar.h"

namespace vendaro {

// The browser panes of the main window: `webBrowser1` and `webBrowser5` are
// the two user panes; `webBrowser2` to `webBrowser4` are the hidden page
// loaders of the research tools.
struct MainWindowPanes {
  Browser& webBrowser1;
  Browser& webBrowser5;
  Browser& webBrowser2;
  Browser& webBrowser3;
  Browser& webBrowser4;
};

// The controls of the main window that several subsystems share: the bars,
// the browser panes, the saved and hidden lists, the pop-up menus, the
// transfer controls and the zone flags. The main window owns them; a
// subsystem receives them through the workbench and touches only those its
// classes are given.
class MainWindowControls {
 public:
  static constexpr int kTransferCount = 10;

  MainWindowControls(MainWindowPanes panes,
                     const std::function<std::unique_ptr<Transfer>()>& makeTransfer);
  MainWindowControls(const MainWindowControls&) = delete;
  MainWindowControls& operator=(const MainWindowControls&) = delete;

  // Opens `address` in `pane` (WebBrowser1 or WebBrowser5); when that pane
  // is not on screen, status panel 1 says where the page went.
  void navigatePane(BrowserPane& pane, const std::string& address);

  // The transfer controls Inet1 to Inet10.
  Transfer& Inet(int number) { return *transfers_.at(static_cast<std::size_t>(number - 1)); }

  // The window caption; "Form1" until a page sets it.
  Label Caption{"Form1"};

  // Address bar and its history; keyword bar.
  ListControl Combo2;
  ListControl Combo1;
  Label Label1{"Key's"};
  StatusBar StatusBar1{5};

  BrowserPane WebBrowser1;
  BrowserPane WebBrowser5;
  // Hidden panes of the research tools; never shown.
  BrowserPane WebBrowser2;
  BrowserPane WebBrowser3;
  BrowserPane WebBrowser4;

  // Saved lists.
  ListControl domain;     // private history, also the adult listing
  ListControl domain2;    // public history
  ListControl favorit;    // private favorites
  ListControl favorit2;   // public favorites
  ListControl List6;      // home pages already shown
  ListControl List2;      // image buffer
  ListControl listlinks;  // collected links
  // Hidden lists of the research tools.
  ListControl listlinks2;  // visited links
  ListControl List3;       // report rows
  ListControl List4;       // reading queue
  ListControl List1;       // found pages
  ListControl List7;       // link addresses stepped through by the toolbar

  // Popup menus of the channel and search lists; their first entry is fixed.
  MenuItem privs{"privs", ""};
  MenuItem privch{"privch", ""};
  MenuItem pubs{"pubs", ""};
  MenuItem pubch{"pubch", ""};

  // Private-zone flags.
  bool inPrivateZone = false;
  bool keepRecord = false;
  // Set while links are gathered from pages; the stop command clears it.
  bool linksGathered = false;
  // The position in `List7` the toolbar's link stepping has reached.
  int linkIndex = 0;

  // Hooks a subsystem sets and the main window calls; unset, they do nothing.
  // Records the site of every page completed in WebBrowser1.
  VisitRecorder* visitRecorder = nullptr;
  // Runs when the address bar refuses a privately visited site.
  std::function<void()> enterPrivateZone;
  // The main menu's entry of a designer name (to enable or disable it).
  std::function<MenuItem*(const std::string& name)> menuEntry;
  // The toolbar's picture button of a designer name ("Picture8"), so a
  // subsystem shows and hides the button on screen; null for an unknown name.
  std::function<PictureBox*(const std::string& name)> toolbarButton;
  // Pops `menu`'s entries up at the mouse position and reports the index of
  // the entry chosen; set by the GUI.
  std::function<void(const MenuItem& menu, const std::function<void(int index)>& chosen)> popupMenu;

  // Why a saved list file (a backslash name such as "\\favor.prv") could not
  // be read at start, with its path; empty when it was read. Such a file is
  // set aside and never written. Set by the main window.
  std::function<std::string(const std::string& backslashName)> setAsideList;

  // Moves the keyboard focus to a control of the window (the keyword box);
  // set by the GUI.
  std::function<void(const Control& control)> focus;

  // Stops the research tools' fetches and loads at once; set by the research
  // subsystem, run by the stop command.
  std::function<void()> stopResearch;

  // Where the panes hand completed pages and clicks for the image buffer;
  // set by the image-buffer feature, null until then.
  PictureCollector* pictureCollector = nullptr;

 private:
  std::array<std::unique_ptr<Transfer>, kTransferCount> transfers_;
};

}  // namespace vendaro
