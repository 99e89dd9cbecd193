#include <gtest/gtest.h>

#include <map>
#include <tuple>

#include "editor/MainForm.h"
#include "editor/PageBackground.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TempFolder.h"

namespace vendaro {
namespace {

using Call = std::tuple<int, EditPrompt, std::string>;

// An editing surface that records commands and answers from set states.
struct FakeEditControl : HtmlEditControl {
  std::string ExecCommand(int id, EditPrompt prompt, const std::string& argument) override {
    calls.emplace_back(id, prompt, argument);
    return outputs[id];
  }
  void InsertTable(const InsertTableParam& t) override { tables.push_back(t); }
  std::vector<std::string> BlockFormatNames() const override { return {"Normal", "Heading 1"}; }
  int QueryStatus(int id) const override { return statuses.count(id) ? statuses.at(id) : 1; }
  void LoadDocument(const std::string& p, bool prompt) override {
    loads.emplace_back(p, prompt);
    path = prompt ? "/pages/chosen.htm" : p;
  }
  bool SaveDocument(const std::string& p, bool prompt) override {
    saves.emplace_back(p, prompt);
    return true;
  }
  std::string CurrentDocumentPath() const override { return path; }
  bool Modified() const override { return modified; }
  std::string DocumentHTML() const override { return html; }
  void setDocumentHTML(const std::string& h) override { html = "set:" + h; }
  void PasteHTML(const std::string& h) override { pasted.push_back(h); }
  void setShowDetails(bool) override {}
  void setShowBorders(bool show) override { borders = show; }
  void setSnapToGrid(bool) override {}
  void SetContextMenu(const std::vector<EditMenuEntry>& entries) override { menu = entries; }

  std::vector<Call> calls;
  std::map<int, int> statuses;
  std::map<int, std::string> outputs;
  std::vector<InsertTableParam> tables;
  std::vector<std::pair<std::string, bool>> loads, saves;
  std::vector<std::string> pasted;
  std::vector<EditMenuEntry> menu;
  std::string path, html;
  bool borders = false;
  bool modified = false;
};

class Editor : public ::testing::Test {
 protected:
  MenuItem& item(MenuItem& menu, const std::string& caption) {
    for (int i = 0; i < menu.childCount(); ++i) {
      if (menu.child(i).Caption() == caption) return menu.child(i);
    }
    throw std::out_of_range(caption);
  }
  void click(MenuItem& menu, const std::string& caption) { form.Menu_Click(item(menu, caption)); }

  testing::TempFolder folder;
  testing::ScriptedDialogs dialogs;
  FakeEditControl editor;
  MainForm form{editor, dialogs, folder.file("back.htm")};
};

TEST_F(Editor, EveryCommandSendsItsNumberAndOption) {
  const auto dont = EditPrompt::DontPrompt;
  const auto ask = EditPrompt::Default;
  editor.statuses[5043] = 3;
  dialogs.colorAnswers = {255};
  const std::vector<std::tuple<std::function<void()>, Call>> cases = {
      {[&] { form.Toolbar1_ButtonClick("Bold"); }, {5000, dont, ""}},
      {[&] { form.Toolbar1_ButtonClick("Numbers"); }, {5030, dont, ""}},
      {[&] { form.Toolbar1_ButtonClick("RightJustify"); }, {5026, dont, ""}},
      {[&] { form.Toolbar1_ButtonClick("Color"); }, {5046, dont, "#FF0000"}},
      {[&] { click(form.Edit, "Undo"); }, {5049, ask, ""}},
      {[&] { click(form.Edit, "Find Text"); }, {5008, ask, ""}},
      {[&] { click(form.Insert, "Hyperlink"); }, {5016, ask, ""}},
      {[&] { click(form.Table, "Insert Column"); }, {5020, ask, ""}},
      {[&] { click(form.Table, "Split Cell"); }, {5047, ask, ""}},
      {[&] { click(form.D2D, "Send Below Text"); }, {5038, ask, ""}},
      {[&] { click(form.D2D, "Lock Element"); }, {5027, ask, ""}},
  };
  for (const auto& [action, expected] : cases) {
    editor.calls.clear();
    action();
    ASSERT_FALSE(editor.calls.empty()) << std::get<0>(expected);
    EXPECT_EQ(editor.calls.front(), expected);
  }
  // The colour dialog cancelled: nothing is sent.
  editor.calls.clear();
  form.Toolbar1_ButtonClick("Color");
  EXPECT_TRUE(editor.calls.empty());

  // Font boxes only once a document has completed; then name and size + 1.
  form.FontCombo.setListIndex(1);
  form.FontCombo_Click();
  EXPECT_TRUE(editor.calls.empty());
  form.DHTMLEdit1_DocumentComplete();
  editor.calls.clear();
  form.FontCombo_Click();
  form.FontSizeCombo.setListIndex(3);
  form.FontSizeCombo_Click();
  click(form.Format, "Heading 1");
  EXPECT_EQ(editor.calls, (std::vector<Call>{
                              {5044, dont, "Arial"}, {5045, dont, "4"}, {5043, dont, "Heading 1"}}));

  click(form.Insert, "Break line");
  click(form.Insert, "Button");
  EXPECT_EQ(editor.pasted,
            (std::vector<std::string>{"<br>", "<BUTTON TITLE=Button>Button!</BUTTON>"}));
  click(form.View, "Borders");
  EXPECT_TRUE(editor.borders && item(form.View, "Borders").Checked());
}

TEST_F(Editor, KeepsToolbarBoxesAndMenusInStepWithTheSurface) {
  editor.outputs = {{5014, "3"}, {5013, "Arial"}, {5011, "Heading 1"}};
  form.DHTMLEdit1_DocumentComplete();
  editor.outputs[5014] = "5";
  form.DHTMLEdit1_DocumentComplete();  // only the first one counts
  EXPECT_EQ(form.FontSizeCombo.ListIndex(), 2);
  ASSERT_EQ(form.Format.childCount(), 2);
  EXPECT_EQ(form.Format.child(1).Caption(), "Heading 1");

  editor.statuses = {{5000, 7}, {5023, 3}, {5048, 1}, {5031, 7}, {5018, 3},
                     {5013, 3}, {5014, 3}, {5011, 3}};
  form.DHTMLEdit1_DisplayChanged();
  auto button = [&](const std::string& key) { return &item(form.Toolbar1, key); };
  EXPECT_TRUE(button("Bold")->Enabled() && button("Bold")->Checked());
  EXPECT_TRUE(button("Italic")->Enabled() && !button("Italic")->Checked());
  EXPECT_FALSE(button("Underline")->Enabled());
  EXPECT_TRUE(button("Outdent")->Checked() && !button("Indent")->Checked());
  EXPECT_EQ(form.FontCombo.Text(), "Arial");
  EXPECT_EQ(form.FontSizeCombo.Text(), "5");
  EXPECT_EQ(form.StatusBar1.panelText(1), "Heading 1");
  editor.outputs[5014] = "0";
  form.DHTMLEdit1_DisplayChanged();
  EXPECT_EQ(form.FontSizeCombo.Text(), "");

  form.Menu_Open(form.Edit);
  form.Menu_Open(form.Format);
  EXPECT_FALSE(item(form.Edit, "Undo").Enabled());
  editor.statuses[5049] = 3;
  form.Menu_Open(form.Edit);
  EXPECT_TRUE(item(form.Edit, "Undo").Enabled());
  EXPECT_TRUE(form.Format.child(1).Checked() && !form.Format.child(0).Checked());
}

TEST_F(Editor, FileCommandsAndTheCaptionRule) {
  EXPECT_EQ(form.Caption.Caption(), "WEB Editor");
  click(form.File, "&Save");  // no path: nothing
  form.Menu_Open(form.File);
  EXPECT_FALSE(item(form.File, "&Save").Enabled());
  click(form.File, "&New");
  EXPECT_EQ(form.Caption.Caption(), "Quillet");
  click(form.File, "&Open...");
  EXPECT_EQ(form.Caption.Caption(), "Quillet - /pages/chosen.htm");
  click(form.File, "&Save");
  click(form.File, "Save&As...");
  using Pair = std::pair<std::string, bool>;
  EXPECT_EQ(editor.loads, (std::vector<Pair>{{"", false}, {"", true}}));
  EXPECT_EQ(editor.saves, (std::vector<Pair>{{"/pages/chosen.htm", false}, {"", true}}));

  // The source view shows the HTML and hands the edited text back.
  editor.html = "<p>a</p>";
  click(form.View, "HTML Source");
  EXPECT_TRUE(form.SourceText.Visible());
  form.SourceText.setText("<p>b</p>");
  form.Toolbar1_ButtonClick("Bold");
  EXPECT_FALSE(form.SourceText.Visible());
  EXPECT_EQ(editor.html, "set:<p>b</p>");
}

// A changed page is not replaced or closed without asking: Cancel keeps it,
// No drops the changes, Yes saves first (a page without a file through
// "Save As"; a save that does not happen keeps the page).
TEST_F(Editor, AChangedPageIsSavedOrKeptBeforeItIsReplaced) {
  using Pair = std::pair<std::string, bool>;
  editor.modified = true;
  dialogs.messageAnswers = {MessageResult::Cancel, MessageResult::No};
  click(form.File, "&New");
  EXPECT_EQ(dialogs.messageTexts(), std::vector<std::string>{MainForm::kSaveChanges});
  EXPECT_TRUE(editor.loads.empty());
  click(form.File, "&Open...");
  EXPECT_EQ(editor.loads, (std::vector<Pair>{{"", true}}));
  EXPECT_TRUE(editor.saves.empty());
  dialogs.messageAnswers = {MessageResult::Yes};
  EXPECT_TRUE(form.QueryUnload());
  EXPECT_EQ(editor.saves, (std::vector<Pair>{{"/pages/chosen.htm", false}}));
  editor.path.clear();
  dialogs.messageAnswers = {MessageResult::Yes};
  EXPECT_TRUE(form.QueryUnload());
  EXPECT_EQ(editor.saves.back(), (Pair{"", true}));
  editor.modified = false;
  const std::size_t asked = dialogs.messages.size();
  EXPECT_TRUE(form.QueryUnload());
  EXPECT_EQ(dialogs.messages.size(), asked);
}

TEST_F(Editor, ContextMenuEntriesAndTheirActions) {
  struct Case {
    std::map<int, int> statuses;
    std::size_t entries;
    int index;
    int command;
  };
  // 5028 positionable, 5040 positioned, 5021 in a table.
  const std::vector<Case> cases = {
      {{}, 7, 6, 5009},
      {{{5028, 3}}, 9, 8, 5028},
      {{{5021, 3}}, 13, 8, 5021},
      {{{5028, 3}, {5040, 3}, {5021, 3}}, 15, 10, 5021},
      {{{5028, 3}, {5040, 3}, {5021, 3}}, 15, 14, 5006},
  };
  for (const Case& c : cases) {
    editor.statuses = c.statuses;
    editor.calls.clear();
    form.DHTMLEdit1_ShowContextMenu();
    ASSERT_EQ(editor.menu.size(), c.entries);
    form.DHTMLEdit1_ContextMenuAction(c.index);
    ASSERT_EQ(editor.calls.size(), 1u);
    EXPECT_EQ(std::get<0>(editor.calls[0]), c.command) << c.index;
  }
  EXPECT_EQ(editor.menu[8].caption, "Make 1D");
  EXPECT_EQ(editor.menu[14].caption, "Delete Column");
  EXPECT_EQ(editor.menu[0].state, 2);  // cut not available
}

TEST(PageBackground, SetsTheBodyAttributeWhateverItsQuoting) {
  const std::vector<std::array<std::string, 2>> cases = {
      {"<html><BODY><p>x", "<html><BODY bgcolor='#00FF00'><p>x"},
      {"<body bgcolor='#fff' text=red>", "<body bgcolor='#00FF00' text=red>"},
      {"<body BGCOLOR=\"#ff0000\">", "<body BGCOLOR=\"#00FF00\">"},
      {"<body bgcolor=red><td bgcolor='#abcdef'>", "<body bgcolor=#00FF00><td bgcolor='#abcdef'>"},
      {"<body><table bgcolor='#abcdef'>", "<body bgcolor='#00FF00'><table bgcolor='#abcdef'>"},
  };
  for (const auto& [page, expected] : cases) {
    EXPECT_EQ(withBodyAttribute(page, "bgcolor", "#00FF00", '\''), expected);
  }
  EXPECT_EQ(withBodyAttribute("<body background=\"old.gif\" x>", "background", "b c.jpg", '"'),
            "<body background=\"b c.jpg\" x>");
  EXPECT_FALSE(withBodyAttribute("<p>no body", "bgcolor", "#000000", '\''));
}

TEST_F(Editor, BackgroundsAreWrittenToTheDocumentOrTheBackgroundPage) {
  editor.html = "<html><body><p>new</p></body></html>";
  dialogs.colorAnswers = {std::nullopt, 0xFF0000};
  click(form.Insert, "Background Color");  // cancelled
  EXPECT_TRUE(editor.loads.empty());
  click(form.Insert, "Background Color");
  EXPECT_EQ(folder.read("back.htm"), "<html><body bgcolor='#0000FF'><p>new</p></body></html>\r\n");
  EXPECT_EQ(editor.path, folder.file("back.htm").string());

  editor.html = "<body background='a.gif'>";
  dialogs.fileAnswers = {"/pics/b\".jpg"};
  click(form.Insert, "Background Image");
  EXPECT_EQ(folder.read("back.htm"), "<body background='/pics/b&quot;.jpg'>\r\n");
  EXPECT_EQ(dialogs.filters.back(), "Pictures files (*.gif)|*.gif|(*.jpg)|*.jpg|");

  editor.path = folder.file("missing/page.htm").string();  // cannot be written: said, not loaded
  click(form.Insert, "Background Image");
  EXPECT_EQ(editor.loads.size(), 2u);
}

TEST_F(Editor, InsertTableDialogKeepsDefaultsForEmptiedBoxesAndRefusesBadCounts) {
  InsertTableDlg dialog(editor, dialogs);
  int closed = 0;
  dialog.Unload = [&] { ++closed; };
  EXPECT_EQ(dialog.Rows.Text(), "2");
  dialog.Rows.setText("x");
  dialog.OkCmd_Click();
  EXPECT_EQ(closed, 0);
  EXPECT_EQ(dialogs.messages.size(), 1u);
  dialog.Rows.setText("3");
  dialog.TableAttrs.setText("");
  dialog.TableCaption.setText("Prices");
  dialog.OkCmd_Click();
  ASSERT_EQ(editor.tables.size(), 1u);
  EXPECT_EQ(editor.tables[0].NumRows, 3);
  EXPECT_EQ(editor.tables[0].TableAttrs, InsertTableParam{}.TableAttrs);
  EXPECT_EQ(editor.tables[0].Caption, "Prices");
  EXPECT_EQ(closed, 1);
}

}  // namespace
}  // namespace vendaro
