#pragma once

#include <array>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/FileCommands.h"
#include "app/Form1Layout.h"
#include "app/LinkStepping.h"
#include "app/MainMenu.h"
#include "app/PaneEvents.h"
#include "app/ProgramLaunchers.h"
#include "app/ProgramSettings.h"
#include "app/Toolbar.h"
#include "common/VendorSettings.h"
#include "common/ports/MainWindowPorts.h"
#include "common/ports/StatusBarText.h"
#include "platform/Browser.h"
#include "platform/BrowserPane.h"
#include "platform/CommandRegistry.h"
#include "platform/Dialogs.h"
#include "platform/EventLoop.h"
#include "platform/Launcher.h"
#include "platform/ToolWindows.h"
#include "platform/Transfer.h"
#include "platform/controls/Label.h"
#include "platform/controls/ListControl.h"
#include "platform/controls/MenuItem.h"
#include "platform/controls/PictureBox.h"
#include "platform/controls/StatusBar.h"

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
  // Makes the transfers the tools take from the window's pool.
  std::function<std::unique_ptr<Transfer>()> makeTransfer;
  // The outside programs of the launchers.
  ProgramSettings programs;
};

// The main window `form1`: a web browser that owns the lists several tools
// share, restores the saved lists at start and writes them back at close.
// The tools reach it through its ports only (`ports()`).
class Form1 {
 public:
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
  // A menu entry chosen, by its designer name: runs the command registered
  // under that name; a name nobody registered does nothing.
  void menu_Click(const std::string& name);

  // Fits the bars and panes to a client area given in twips.
  void Form_Resize(float scaleWidth, float scaleHeight);

  // Hands the page of WebBrowser1 to the history and the image buffer.
  void ProcessCompletedPage() { paneEvents_.ProcessCompletedPage(); }
  // The ports the subsystems plug into.
  MainWindowPorts ports();

  const std::filesystem::path& appFolder() const { return appFolder_; }

  // The window caption; "Form1" until a page sets it.
  Label Caption{"Form1"};
  // Address bar and its history; keyword bar.
  ListControl Combo2;
  ListControl Combo1;
  Label Label1{"Key's"};
  StatusBar StatusBar1{5};
  BrowserPane WebBrowser1;
  BrowserPane WebBrowser5;

  // What the window shares with the tools: the saved and the research lists,
  // the zone, the hooks the tools set and what the window offers them, the
  // transfers, the status bar's text and the panes.
  SavedLists saved;
  ResearchLists research;
  BrowsingZone zone;
  MainWindowHooks hooks;
  MainWindowOffers offers;
  TransferPool transfers;
  StatusBarText statusText{StatusBar1};
  PaneNavigator panes{WebBrowser1, WebBrowser5, statusText};

  PictureBox Picture1;  // the toolbar strip
  Form1Layout layout;

  // The menu bar; the commands of its entries and of the toolbar buttons by
  // designer name; the windows those commands open; the toolbar.
  MainMenu mainMenu;
  CommandRegistry commands;
  ToolWindows toolWindows;
  Toolbar toolbar{appFolder_, commands};

  // The window's size and place as the view saves it, kept in "window.state"
  // in the application folder between runs.
  std::string windowState;

  // Hook for the view: it closes the window.
  std::function<void()> onCloseRequested;

 private:
  std::filesystem::path file(const char* backslashName) const;
  std::vector<std::string> loadList(const char* backslashName);
  void readList(const char* backslashName, ListControl& list);
  void reportSetAsideLists();
  void readAddressHistory();
  void readShownHomePages();
  void writeList(const char* backslashName, const ListControl& list);
  // The image-buffer page at close is written inside double quotes, at
  // destruction without.
  enum class Quoting { Quoted, Plain };
  void writeImageBufferPages(Quoting quoting);
  void registerCommands();
  void registerToolbarCommands();
  void registerMenuCommands();
  void installDefaultBitmaps();
  void openTypedAddress(const std::string& address);
  int privateHistoryMatch(const std::string& address) const;
  void refuseAddress(int historyIndex);

  Form1Platform platform_;
  std::filesystem::path appFolder_;
  // The list files not read at start, by backslash name, with the reason.
  std::map<std::string, std::string> setAside_;
  // Runs the tools' steps for a window event, ignoring their errors.
  static void runSteps(const std::map<std::string, std::function<void()>>& steps);

  LinkStepping linkStepping_{research.List7, research.List3, StatusBar1, panes};
  FileCommands fileCommands_{platform_.dialogs, WebBrowser1, WebBrowser5, zone.inPrivateZone};
  ProgramLaunchers launchers_{platform_.launcher, platform_.dialogs, platform_.programs};
  PaneEvents paneEvents_{{WebBrowser1, WebBrowser5, Combo2, Caption, StatusBar1, saved.domain,
                          saved.domain2, zone.inPrivateZone, zone.keepRecord, hooks.visitRecorder,
                          hooks.pictureCollector}};
};

}  // namespace vendaro
