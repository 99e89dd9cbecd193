#include "editor/MainForm.h"

#include <charconv>

#include "common/ColorText.h"
#include "common/TextFile.h"
#include "editor/PageBackground.h"
#include "platform/Text.h"

namespace vendaro {
namespace {

constexpr const char* kCaptionPrefix = "Quillet";
constexpr const char* kPictureFilter = "Pictures files (*.gif)|*.gif|(*.jpg)|*.jpg|";

// A whole number, or `fallback` when the text is not one.
int wholeNumber(const std::string& text, int fallback) {
  int value = fallback;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size() ? value : fallback;
}

}  // namespace

MainForm::MainForm(HtmlEditControl& editor, Dialogs& dialogs, std::filesystem::path backgroundPage)
    : editor_(editor), dialogs_(dialogs), backgroundPage_(std::move(backgroundPage)) {
  FontCombo.AddItems({"Times New Roman", "Arial", "Tahoma", "Courier", "Verdana", "Wingdings"});
  FontCombo.setListIndex(0);
  FontSizeCombo.AddItems({"1", "2", "3", "4", "5", "6", "7"});
  FontSizeCombo.setListIndex(0);
  for (const char* key :
       {"Place1", "Place2", "Bold", "Italic", "Underline", "Color", "Numbers", "Bullets", "Outdent",
        "Indent", "LeftJustify", "Center", "RightJustify"}) {
    Toolbar1.addChild(key, key);
  }
  SourceText.setVisible(false);
  fillMenus();
  editor_.onDocumentComplete = [this] { DHTMLEdit1_DocumentComplete(); };
  editor_.onDisplayChanged = [this] { DHTMLEdit1_DisplayChanged(); };
  editor_.onShowContextMenu = [this] { DHTMLEdit1_ShowContextMenu(); };
  editor_.onContextMenuAction = [this](int index) { DHTMLEdit1_ContextMenuAction(index); };
}

MainForm::~MainForm() {
  editor_.onDocumentComplete = nullptr;
  editor_.onDisplayChanged = nullptr;
  editor_.onShowContextMenu = nullptr;
  editor_.onContextMenuAction = nullptr;
}

template <std::size_t N>
std::vector<MenuItem*> MainForm::addCommands(MenuItem& menu, const char* name,
                                             const std::array<EditorCommand, N>& commands) {
  std::vector<MenuItem*> items;
  for (const EditorCommand& command : commands) {
    items.push_back(&menu.addChild(name, std::string(command.caption)));
  }
  return items;
}

void MainForm::fillMenus() {
  File.addChild("FileNew", "&New");
  File.addChild("FileOpen", "&Open...");
  File.addChild("FileSep1", kSeparator);
  File.addChild("FileSave", "&Save");
  File.addChild("FileSaveAs", "Save&As...");
  File.addChild("FileSep2", kSeparator);
  File.addChild("FileExit", "E&xit");
  EditSub_ = addCommands(Edit, "EditSub", kEditCommands);
  for (const char* caption : {"Borders", "Document Details", "Snap To Grid"}) {
    ViewSub_.push_back(&View.addChild("ViewSub", caption));
  }
  View.addChild("ViewSep", kSeparator);
  ViewSource_ = &View.addChild("ViewSource", "HTML Source");
  Insert.addChild("breakline", "Break line");
  Insert.addChild("hr", "Horisontal line");
  InsertSub_ = addCommands(Insert, "InsertSub", kInsertCommands);
  Insert.addChild("InsertBackCol", "Background Color");
  Insert.addChild("backimage", "Background Image");
  Insert.addChild("InsertButton", "Button");
  Insert.addChild("InsertHTML", "HTML");
  TableSub_ = addCommands(Table, "TableSub", kTableCommands);
  D2DSub_ = addCommands(D2D, "D2DSub", kD2DCommands);
}

bool MainForm::available(int command) const {
  return editor_.QueryStatus(command) >= edit::kAvailable;
}

void MainForm::DHTMLEdit1_DocumentComplete() {
  if (documentLoaded_) return;
  Format.truncateChildren(0);
  for (const std::string& name : editor_.BlockFormatNames()) Format.addChild("FormatSub", name);
  const int size = wholeNumber(editor_.ExecCommand(edit::kGetFontSize, EditPrompt::DontPrompt), 0);
  if (size >= 1 && size <= FontSizeCombo.ListCount()) FontSizeCombo.setListIndex(size - 1);
  documentLoaded_ = true;
}

void MainForm::DHTMLEdit1_DisplayChanged() {
  for (std::size_t i = 0; i + 1 < kToolbarCommands.size(); ++i) {
    const int status = editor_.QueryStatus(kToolbarCommands[i].number);
    for (int b = 0; b < Toolbar1.childCount(); ++b) {
      MenuItem& button = Toolbar1.child(b);
      if (button.name() != kToolbarCommands[i].caption) continue;
      button.setEnabled(status >= edit::kAvailable);
      button.setChecked(status == edit::kLatched);
    }
  }
  updateFontBoxes();
  if (available(edit::kGetBlockFormat)) {
    StatusBar1.setPanelText(1, editor_.ExecCommand(edit::kGetBlockFormat, EditPrompt::DontPrompt));
  }
}

void MainForm::updateFontBoxes() {
  if (available(edit::kGetFontName)) {
    FontCombo.setText(editor_.ExecCommand(edit::kGetFontName, EditPrompt::DontPrompt));
  }
  if (available(edit::kGetFontSize)) {
    const int size =
        wholeNumber(editor_.ExecCommand(edit::kGetFontSize, EditPrompt::DontPrompt), 0);
    FontSizeCombo.setText(size < 1 ? std::string() : std::to_string(size));
  }
}

void MainForm::Toolbar1_ButtonClick(const std::string& key) {
  leaveSourceView();
  if (key == "Color") {
    const std::optional<int> color = dialogs_.ShowColor(0);
    if (color)
      editor_.ExecCommand(edit::kSetForeColor, EditPrompt::DontPrompt, ColorToHtml(*color));
    return;
  }
  for (const EditorCommand& command : kToolbarCommands) {
    if (command.caption == key) editor_.ExecCommand(command.number, EditPrompt::DontPrompt);
  }
}

void MainForm::FontCombo_Click() {
  if (!documentLoaded_ || FontCombo.ListIndex() < 0) return;
  editor_.ExecCommand(edit::kSetFontName, EditPrompt::DontPrompt,
                      FontCombo.List(FontCombo.ListIndex()));
}

void MainForm::FontSizeCombo_Click() {
  if (!documentLoaded_ || FontSizeCombo.ListIndex() < 0) return;
  editor_.ExecCommand(edit::kSetFontSize, EditPrompt::DontPrompt,
                      std::to_string(FontSizeCombo.ListIndex() + 1));
}

void MainForm::enableCommands(const std::vector<MenuItem*>& items) {
  for (MenuItem* item : items) {
    const int command = commandOf(*item);
    if (command != 0) item->setEnabled(available(command));
  }
}

void MainForm::Menu_Open(MenuItem& menu) {
  if (&menu == &File) {
    for (int i = 0; i < File.childCount(); ++i) {
      if (File.child(i).name() == "FileSave") {
        File.child(i).setEnabled(!editor_.CurrentDocumentPath().empty());
      }
    }
  } else if (&menu == &Edit) {
    enableCommands(EditSub_);
  } else if (&menu == &Insert) {
    enableCommands(InsertSub_);
  } else if (&menu == &Table) {
    enableCommands(TableSub_);
  } else if (&menu == &D2D) {
    enableCommands(D2DSub_);
    // Shown for the element under the caret, both ways.
    D2DSub_.front()->setChecked(available(edit::kSendToBack));
  } else if (&menu == &Format) {
    checkFormats();
  }
}

void MainForm::checkFormats() {
  if (!available(edit::kGetBlockFormat)) return;
  const std::string format = editor_.ExecCommand(edit::kGetBlockFormat, EditPrompt::DontPrompt);
  for (int i = 0; i < Format.childCount(); ++i) {
    Format.child(i).setChecked(Format.child(i).Caption() == format);
  }
}

int MainForm::indexIn(const std::vector<MenuItem*>& items, const MenuItem& item) {
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (items[i] == &item) return static_cast<int>(i);
  }
  return -1;
}

int MainForm::commandOf(const MenuItem& item) const {
  if (int i = indexIn(EditSub_, item); i >= 0) return kEditCommands[i].number;
  if (int i = indexIn(InsertSub_, item); i >= 0) return kInsertCommands[i].number;
  if (int i = indexIn(TableSub_, item); i >= 0) return kTableCommands[i].number;
  if (int i = indexIn(D2DSub_, item); i >= 0) return kD2DCommands[i].number;
  return 0;
}

void MainForm::Menu_Click(MenuItem& item) {
  if (&item != ViewSource_) leaveSourceView();
  if (runNamedItem(item.name())) return;
  if (indexIn(ViewSub_, item) >= 0) {
    toggleView(item);
  } else if (item.name() == "FormatSub") {
    if (available(edit::kSetBlockFormat)) {
      editor_.ExecCommand(edit::kSetBlockFormat, EditPrompt::DontPrompt, item.Caption());
    }
  } else if (indexIn(TableSub_, item) == 0) {
    if (showInsertTableDlg) showInsertTableDlg();
  } else {
    runCommandItem(item);
  }
}

void MainForm::runCommandItem(MenuItem& item) {
  const int command = commandOf(item);
  if (command == 0) return;
  editor_.ExecCommand(command, EditPrompt::Default);
  if (indexIn(D2DSub_, item) >= 0 && available(edit::kSendToBack)) {
    D2DSub_.front()->setChecked(true);
  }
}

bool MainForm::runNamedItem(const std::string& name) {
  if (name == "FileNew") {
    fileNew();
  } else if (name == "FileOpen") {
    fileOpen();
  } else if (name == "FileSave") {
    fileSave();
  } else if (name == "FileSaveAs") {
    fileSaveAs();
  } else if (name == "FileExit") {
    if (Unload) Unload();
  } else if (name == "breakline") {
    editor_.PasteHTML("<br>");
  } else if (name == "hr") {
    editor_.PasteHTML("<hr>");
  } else if (name == "InsertButton") {
    editor_.PasteHTML("<BUTTON TITLE=Button>Button!</BUTTON>");
  } else if (name == "InsertHTML") {
    if (showInsertHTMLDlg) showInsertHTMLDlg();
  } else if (name == "InsertBackCol") {
    insertBackgroundColor();
  } else if (name == "backimage") {
    insertBackgroundImage();
  } else if (name == "ViewSource") {
    toggleSource();
  } else {
    return false;
  }
  return true;
}

void MainForm::toggleView(MenuItem& item) {
  const bool on = !item.Checked();
  const int index = indexIn(ViewSub_, item);
  if (index == 0) editor_.setShowBorders(on);
  if (index == 1) editor_.setShowDetails(on);
  if (index == 2) editor_.setSnapToGrid(on);
  item.setChecked(on);
}

void MainForm::applyCaptionRule() {
  const std::string path = editor_.CurrentDocumentPath();
  Caption.setCaption(path.empty() ? std::string(kCaptionPrefix)
                                  : std::string(kCaptionPrefix) + " - " + path);
}

bool MainForm::QueryUnload() {
  leaveSourceView();
  if (!editor_.Modified()) return true;
  switch (dialogs_.MsgBox(kSaveChanges, MessageButtons::YesNoCancel, MessageIcon::Question)) {
    case MessageResult::Yes: {
      const std::string path = editor_.CurrentDocumentPath();
      return path.empty() ? editor_.SaveDocument("", true) : editor_.SaveDocument(path, false);
    }
    case MessageResult::No:
      return true;
    default:
      return false;
  }
}

void MainForm::fileNew() {
  if (!QueryUnload()) return;
  editor_.LoadDocument("", false);
  applyCaptionRule();
}

void MainForm::fileOpen() {
  if (!QueryUnload()) return;
  editor_.LoadDocument("", true);
  applyCaptionRule();
}

void MainForm::fileSave() {
  const std::string path = editor_.CurrentDocumentPath();
  if (!path.empty()) editor_.SaveDocument(path, false);
}

void MainForm::fileSaveAs() {
  editor_.SaveDocument("", true);
  applyCaptionRule();
}

void MainForm::openPage(const std::filesystem::path& page) {
  if (!QueryUnload()) return;
  editor_.LoadDocument(page.string(), false);
  applyCaptionRule();
}

void MainForm::insertBackgroundColor() {
  const std::optional<int> color = dialogs_.ShowColor(0);
  if (!color) return;
  setBodyAttribute("bgcolor", ColorToHtml(*color), '\'');
}

void MainForm::insertBackgroundImage() {
  const std::optional<std::string> picture = dialogs_.ShowOpen("", kPictureFilter);
  if (!picture || picture->empty()) return;
  setBodyAttribute("background", text::quotesEscaped(*picture), '"');
}

// The page's HTML with the attribute set is written to the document's file
// (or the background page for a new document) and loaded from there.
void MainForm::setBodyAttribute(const std::string& name, const std::string& value, char quote) {
  const std::optional<std::string> html =
      withBodyAttribute(editor_.DocumentHTML(), name, value, quote);
  if (!html) return;
  const std::string path = editor_.CurrentDocumentPath();
  const std::filesystem::path target = path.empty() ? backgroundPage_ : std::filesystem::path(path);
  if (!writeWholeFile(target, *html + std::string(kCrLf))) {
    dialogs_.MsgBox("The page could not be written to " + target.string() + ".", MessageButtons::Ok,
                    MessageIcon::Exclamation);
    return;
  }
  editor_.LoadDocument(target.string(), false);
}

void MainForm::toggleSource() {
  if (SourceText.Visible()) {
    leaveSourceView();
    return;
  }
  SourceText.setText(editor_.DocumentHTML());
  SourceText.setVisible(true);
  ViewSource_->setChecked(true);
}

void MainForm::leaveSourceView() {
  if (!SourceText.Visible()) return;
  SourceText.setVisible(false);
  ViewSource_->setChecked(false);
  if (SourceText.Text() != editor_.DocumentHTML()) editor_.setDocumentHTML(SourceText.Text());
}

void MainForm::DHTMLEdit1_ShowContextMenu() {
  contextAbsolute_ = available(edit::kMakeAbsolute);
  const bool positioned = available(edit::kSendToBack);
  contextTable_ = available(edit::kInsertRow);
  auto state = [this](int command) { return available(command) ? 0 : 2; };
  std::vector<EditMenuEntry> entries{{"Cut", state(edit::kCut)},
                                     {"Copy", state(edit::kCopy)},
                                     {"Paste", state(edit::kPaste)},
                                     {"", 0},
                                     {"Select All", state(edit::kSelectAll)},
                                     {"", 0},
                                     {"Font...", state(edit::kFont)}};
  if (contextAbsolute_) {
    entries.push_back({"", 0});
    entries.push_back({positioned ? "Make 1D" : "Make 2D", 0});
  }
  if (contextTable_) {
    for (const char* caption :
         {"", "Insert Row", "Insert Column", "", "Delete Row", "Delete Column"}) {
      entries.push_back({caption, 0});
    }
  }
  editor_.SetContextMenu(entries);
}

void MainForm::DHTMLEdit1_ContextMenuAction(int index) {
  constexpr std::array<int, 7> kFixed{edit::kCut, edit::kCopy, edit::kPaste, 0, edit::kSelectAll, 0,
                                      0};
  if (index >= 0 && index < static_cast<int>(kFixed.size()) && kFixed[index] != 0) {
    editor_.ExecCommand(kFixed[index], EditPrompt::Default);
    return;
  }
  if (index == 6) {
    editor_.ExecCommand(edit::kFont, EditPrompt::Prompt);
    return;
  }
  const int b = 6 + (contextAbsolute_ ? 2 : 0);
  if (contextAbsolute_ && index == 8) editor_.ExecCommand(edit::kMakeAbsolute, EditPrompt::Default);
  if (!contextTable_) return;
  if (index == b + 2) editor_.ExecCommand(edit::kInsertRow, EditPrompt::Default);
  if (index == b + 3) editor_.ExecCommand(edit::kInsertCol, EditPrompt::Default);
  if (index == b + 5) editor_.ExecCommand(edit::kDeleteRows, EditPrompt::Default);
  if (index == b + 6) editor_.ExecCommand(edit::kDeleteCols, EditPrompt::Default);
}

}  // namespace vendaro
