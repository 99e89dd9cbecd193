#pragma once

#include <array>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "app/Form1Layout.h"
#include "app/MainMenu.h"
#include "app/PaneEvents.h"
#include "app/PaneNavigation.h"
#include "common/MainWindowControls.h"
#include "common/PictureCollector.h"
#include "common/VisitRecorder.h"
#include "platform/Browser.h"
#include "platform/BrowserPane.h"
#include "platform/CommandRegistry.h"
#include "platform/Dialogs.h"
#include "platform/EventLoop.h"
#include "platform/Label.h"
#include "platform/Launcher.h"
#include "platform/ListControl.h"
#include "platform/MenuItem.h"
#include "platform/PictureBox.h"
#include "platform/Settings.h"
#include "platform/StatusBar.h"
#include "platform/ToolWindows.h"
#include "platform/Transfer.h"

namespace vendaro {

// What the main window talks to. `webBrowser1` and `webBrowser5` are the two
// user panes; `webBrowser2` to `webBrowser4` are hidden page loaders of the
// research tools.
struct Form1Platform {
  EventLoop& loop;
  Dialogs& dialogs;
  Launcher& launcher;
  const Settings& settings;
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
class Form1 : public MainWindowControls {
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
  // Set by the history and image-buffer features; null skips that step.
  void setVisitRecorder(VisitRecorder* recorder) { paneEvents_.visitRecorder = recorder; }
  void setPictureCollector(PictureCollector* collector) { pictureCollector = collector; }

  const std::filesystem::path& appFolder() const { return appFolder_; }

  PictureBox Picture1;  // the toolbar strip
  Form1Layout layout;

  // The menu bar; the commands of its entries and of the toolbar buttons by
  // designer name; the windows those commands open.
  MainMenu mainMenu;
  CommandRegistry commands;
  ToolWindows toolWindows;

  // Hooks for the view and the private zone.
  std::function<void()> onCloseRequested;  // the view closes the window
  std::function<void()> enterPrivateZone;  // a refused address

 private:
  std::filesystem::path file(const char* backslashName) const;
  void readList(const char* backslashName, ListControl& list);
  void readAddressHistory();
  void readShownHomePages();
  void writeList(const char* backslashName, const ListControl& list);
  // The image-buffer page at close is written inside double quotes, at
  // destruction without.
  enum class Quoting { Quoted, Plain };
  void writeImageBufferPages(Quoting quoting);
  void removeRunTimeMenuEntries();
  void registerCommands();
  int privateHistoryMatch(const std::string& address) const;
  void refuseAddress(int historyIndex);

  Form1Platform platform_;
  std::filesystem::path appFolder_;
  PaneNavigation navigation_{WebBrowser1, WebBrowser5};
  PaneEvents paneEvents_{{WebBrowser1, WebBrowser5, Combo2, Caption, StatusBar1, domain, domain2,
                          inPrivateZone, keepRecord, pictureCollector}};
};

}  // namespace vendaro
