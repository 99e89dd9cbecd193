#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "editor/EditorCommands.h"
#include "editor/InsertHTMLDlg.h"
#include "editor/InsertTableDlg.h"
#include "platform/Dialogs.h"
#include "platform/HtmlEditControl.h"
#include "platform/controls/Label.h"
#include "platform/controls/ListControl.h"
#include "platform/controls/MenuItem.h"
#include "platform/controls/StatusBar.h"
#include "platform/controls/TextBox.h"

namespace vendaro {

// The web editor window "WEB Editor": menus, toolbar, font boxes and status
// panel over an HTML editing surface. Almost every command goes to the
// surface as a numbered command; the window keeps its menus, buttons and
// boxes in step with the surface's state. A source view shows the page's
// HTML for editing and hands it back to the visual view.
class MainForm {
 public:
  static constexpr const char* kSeparator = "-";
  static constexpr const char* kSaveChanges = "The page has changed. Save the changes?";

  // `backgroundPage` is where a background change of a new document is
  // written ("back.htm" in the output folder).
  MainForm(HtmlEditControl& editor, Dialogs& dialogs, std::filesystem::path backgroundPage);
  MainForm(const MainForm&) = delete;
  MainForm& operator=(const MainForm&) = delete;
  ~MainForm();

  Label Caption{"WEB Editor"};
  // The buttons by key: two place-holders under the font boxes, then the commands.
  MenuItem Toolbar1{"Toolbar1", ""};
  ListControl FontCombo;
  ListControl FontSizeCombo;
  StatusBar StatusBar1{1};
  // The page's HTML while the source view is shown (then visible).
  TextBox SourceText;

  MenuItem File{"File", "&File"};
  MenuItem Edit{"Edit", "&Edit"};
  MenuItem View{"View", "&View"};
  MenuItem Insert{"Insert", "&Insert"};
  MenuItem Format{"Format", "F&ormat"};
  MenuItem Table{"Table", "T&able"};
  MenuItem D2D{"D2D", "&2D"};
  MenuItem Help{"Help", "Help"};
  // The menus in the order of the menu bar.
  std::vector<MenuItem*> menus() {
    return {&File, &Edit, &View, &Insert, &Format, &Table, &D2D, &Help};
  }

  bool documentLoaded() const { return documentLoaded_; }

  // The surface's events.
  void DHTMLEdit1_DocumentComplete();
  void DHTMLEdit1_DisplayChanged();
  void DHTMLEdit1_ShowContextMenu();
  void DHTMLEdit1_ContextMenuAction(int index);

  void Toolbar1_ButtonClick(const std::string& key);
  void FontCombo_Click();
  void FontSizeCombo_Click();
  // A menu of the menu bar is about to open.
  void Menu_Open(MenuItem& menu);
  // An entry of a menu was chosen.
  void Menu_Click(MenuItem& item);

  // Opens a page file (the submission tool's "Edit").
  void openPage(const std::filesystem::path& page);
  // Whether the page may be replaced or the window closed: a changed page
  // is saved first when the user says Yes; Cancel, or a save that did not
  // happen, keeps it.
  bool QueryUnload();

  // Set by the view: close the window, and show the two dialogs modally.
  std::function<void()> Unload;
  std::function<void()> showInsertTableDlg;
  std::function<void()> showInsertHTMLDlg;
  // The dialogs' models, acting on this window's surface.
  std::unique_ptr<InsertTableDlg> makeInsertTableDlg() {
    return std::make_unique<InsertTableDlg>(editor_, dialogs_);
  }
  std::unique_ptr<InsertHTMLDlg> makeInsertHTMLDlg() {
    return std::make_unique<InsertHTMLDlg>(editor_);
  }

 private:
  void fillMenus();
  template <std::size_t N>
  std::vector<MenuItem*> addCommands(MenuItem& menu, const char* name,
                                     const std::array<EditorCommand, N>& commands);
  bool available(int command) const;
  void enableCommands(const std::vector<MenuItem*>& items);
  int commandOf(const MenuItem& item) const;
  static int indexIn(const std::vector<MenuItem*>& items, const MenuItem& item);
  bool runNamedItem(const std::string& name);
  void runCommandItem(MenuItem& item);
  void toggleView(MenuItem& item);
  void applyCaptionRule();
  void checkFormats();
  void updateFontBoxes();
  void fileNew();
  void fileOpen();
  void fileSave();
  void fileSaveAs();
  void insertBackgroundColor();
  void insertBackgroundImage();
  void setBodyAttribute(const std::string& name, const std::string& value, char quote);
  void toggleSource();
  void leaveSourceView();

  HtmlEditControl& editor_;
  Dialogs& dialogs_;
  std::filesystem::path backgroundPage_;
  bool documentLoaded_ = false;
  bool contextAbsolute_ = false;
  bool contextTable_ = false;
  std::vector<MenuItem*> EditSub_, InsertSub_, TableSub_, D2DSub_, ViewSub_;
  MenuItem* ViewSource_ = nullptr;
};

}  // namespace vendaro
