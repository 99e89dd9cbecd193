#pragma once

#include <array>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/Form1Layout.h"
#include "app/MainMenu.h"
#include "app/PaneEvents.h"
#include "app/PaneNavigation.h"
#include "app/PictureCollector.h"
#include "app/ToolWindows.h"
#include "app/VisitRecorder.h"
#include "common/VendorSettings.h"
#include "platform/Browser.h"
#include "platform/BrowserPane.h"
#include "platform/Dialogs.h"
#include "platform/EventLoop.h"
#include "platform/Label.h"
#include "platform/Launcher.h"
#include "platform/ListControl.h"
#include "platform/MenuItem.h"
#include "platform/PictureBox.h"
#include "platform/StatusBar.h"
#include "platform/Transfer.h"

namespace vendaro {

// What the main window talks to. `webBrowser1` and `webBrowser5` are the two
// user panes; `webBrowser2` to `webBrowser4` are hidden page loaders of the
// research tools.
struct Form1Platform {
  EventLoop& loop;
  Dialogs& dialogs;
  Launcher& launcher;
  const VendorSettings& vendor;
  std::filesystem::path appFolder;
  Browser& webBrowser1;
  Browser& webBrowser5;
  Browser& webBrowser2;
  Browser& webBrowser3;
  Browser& webBrowser4;
  // Makes the transfer controls Inet1 to Inet10.
  std::function<std::unique_ptr<Transfer>()> makeTransfer;
};

// The main window `form1`: a web browser that owns the lists several tools
// share, restores the saved lists at start and writes them back at close.
class Form1 {
 public:
  static constexpr int kTransferCount = 10;
  static constexpr int kAddressHistoryLimit = 20;
  static constexpr int kAddressBarLimit = 19;

  explicit Form1(Form1Platform platform);
  Form1(const Form1&) = delete;
  Form1& operator=(const Form1&) = delete;

  // Start-up, close and destruction of the window.
  void Form_Load();
  void Form_Unload();
  void Form_Terminate();
  // Writes the lists saved at close (and the image-buffer page), as the close
  // does; also used when the session ends without the window being closed.
  void writeSavedLists();
  // True when the list file (a backslash name such as "\favor.prv") could
  // not be read at start: it is never written, so no entry in it is lost.
  bool isSetAside(const std::string& backslashName) const;
  // The Exit menu entry: closes the window the same way as its close box.
  void exit_Click();

  // Adds one address to the address history at start-up: 20 entries at
  // most, the last one dropped when full; no duplicates.
  void AddToAddressHistory(const std::string& entry);

  // Address bar: Enter (character 13) and choosing a history entry.
  void Combo2_KeyPress(int keyAscii);
  void Combo2_Click();
  // Opens the text of the address bar, unless the private history refuses it.
  void GoToAddress();

  // Keyword bar: Enter (character 13) puts the text at the top of the list;
  // Delete (key code 46) removes the first equal entry. Both empty the text.
  void Combo1_KeyPress(int keyAscii);
  void Combo1_KeyDown(int keyCode);

  // Toolbar navigation, on each visible pane: back, forward, stop, home,
  // refresh; any mouse button released on Picture23 switches the panes.
  void Picture2_Click();
  void Picture3_Click();
  void Picture4_Click();
  void Picture5_Click();
  void Picture6_Click();
  void Picture23_MouseUp();
  // Menu navigation, on WebBrowser1 whether it is shown or not.
  void back_Click();
  void forward_Click();
  void home_Click();
  void refresh_Click();
  // Go Search and Search have no command.
  void sear_Click() {}
  void search_Click() {}
  // A menu entry chosen, by its designer name; entries whose command is not
  // built yet do nothing.
  void menu_Click(const std::string& name);

  // Fits the bars and panes to a client area given in twips.
  void Form_Resize(float scaleWidth, float scaleHeight);

  // Hands the page of WebBrowser1 to the history and the image buffer.
  void ProcessCompletedPage() { paneEvents_.ProcessCompletedPage(); }
  // Set by the history and image-buffer features; null skips that step.
  void setVisitRecorder(VisitRecorder* recorder) { paneEvents_.visitRecorder = recorder; }
  void setPictureCollector(PictureCollector* collector) {
    paneEvents_.pictureCollector = collector;
  }

  const std::filesystem::path& appFolder() const { return appFolder_; }
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

  PictureBox Picture1;  // the toolbar strip
  Form1Layout layout;

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

  // Private-zone flags (1 or 0).
  int inPrivateZone = 0;
  int keepRecord = 0;
  // Set while links are gathered from pages; the stop command clears it.
  int linksGathered = 0;

  // The menu bar, and the windows its commands open.
  MainMenu mainMenu;
  ToolWindows toolWindows;

  // Hooks for the view and the private zone.
  std::function<void()> onCloseRequested;  // the view closes the window
  std::function<void()> enterPrivateZone;  // a refused address

 private:
  std::filesystem::path file(const char* backslashName) const;
  std::vector<std::string> loadList(const char* backslashName);
  void readList(const char* backslashName, ListControl& list);
  void reportSetAsideLists();
  void readAddressHistory();
  void readShownHomePages();
  void writeList(const char* backslashName, const ListControl& list);
  void writeImageBufferPages(bool quoted);
  void removeRunTimeMenuEntries();
  int privateHistoryMatch(const std::string& address) const;
  void refuseAddress(int historyIndex);

  Form1Platform platform_;
  std::filesystem::path appFolder_;
  // The list files not read at start, by backslash name, with the reason.
  std::map<std::string, std::string> setAside_;
  std::array<std::unique_ptr<Transfer>, kTransferCount> transfers_;
  PaneNavigation navigation_{WebBrowser1, WebBrowser5};
  PaneEvents paneEvents_{{WebBrowser1, WebBrowser5, Combo2, Caption, StatusBar1, domain, domain2,
                          inPrivateZone, keepRecord}};
};

}  // namespace vendaro
