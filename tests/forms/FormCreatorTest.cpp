#include <gtest/gtest.h>

#include "common/TextFile.h"
#include "forms/CheckableDialog.h"
#include "forms/FormCreator.h"
#include "forms/NewFormDialog.h"
#include "forms/OptionLineDialog.h"
#include "forms/PushButtonDialog.h"
#include "forms/ResponseIntake.h"
#include "forms/SelectDialog.h"
#include "forms/StyleDialog.h"
#include "forms/TextAreaDialog.h"
#include "forms/TextInputDialog.h"
#include "tests/support/FakeMailClient.h"
#include "tests/support/ManualEventLoop.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestDatabase.h"

namespace vendaro {
namespace {

std::string golden(const std::string& name) {
  return *readWholeFile(std::filesystem::path(VENDARO_FORMS_GOLDEN_DIR) / name);
}

// A form creator over a database in a temporary folder; the dialogs it
// shows are kept, the last one first.
class FormCreatorTest : public ::testing::Test {
 protected:
  FormCreatorTest() {
    creator.onShowDialog = [this](std::shared_ptr<FieldDialog> dialog) {
      shown.insert(shown.begin(), std::move(dialog));
    };
  }

  std::int64_t addForm(const std::string& name, const std::string& email = {}) {
    return database.insertRow("Forms", {{"formName", name}, {"email", email}});
  }

  // Opens the window and makes `name` the current form on the "Fields" page.
  void open(const std::string& name) {
    creator.Form_Load();
    creator.Combo4.setText(name);
    creator.Combo4_Click();
    creator.SSTab1_Click();
  }

  // Names the field, lets `build` fill the dialog of its type and confirms "Add".
  template <typename Dialog, typename Build>
  void addField(const std::string& name, const std::string& type, const std::string& label,
                Build build) {
    creator.Combo3.setText(name);
    if (!type.empty()) {
      creator.Combo2.setText(type);
      creator.Combo2_Click();
      build(dynamic_cast<Dialog&>(*shown.front()));
    }
    creator.Text12.setText(label);
    creator.Command10_Click();
  }

  testing::TempFolder folder;
  testing::TestDatabase database{folder.file("Vendaro2.mdb")};
  testing::ScriptedDialogs dialogs;
  Settings creator{FormCreatorPlatform{database, dialogs, nullptr, {}}};
  std::vector<std::shared_ptr<FieldDialog>> shown;
};

// Every field kind through its dialog, one style for the fields after it,
// one row moved down: the saved page byte for byte.
TEST_F(FormCreatorTest, SavedPageOfEveryFieldKindMatchesGolden) {
  const std::int64_t id = addForm("Survey", "shop@example.com");
  open("Survey");
  creator.Text2.setText(Settings::kDefaultTableTag);
  creator.Command_C_Click(4);  // a closed colour dialog gives its last colour
  addField<text_set>("email", "text", "E-mail", [](text_set& d) {
    d.Text1.setText("20");
    d.Text3.setText("1");
    d.Command2_Click();
  });
  addField<CheckableDialog>("news", "checkbox", "News", [](CheckableDialog& d) {
    d.Option1_Click();
    d.Text1.setText("yes");
    d.Text2.setText("2");
    d.Command2_Click();
  });
  addField<Form2>("size", "select", "Size", [this](Form2& d) {
    d.Option1_Click();
    d.Text1.setText("3");
    d.Text2.setText("4");
    for (const char* choice : {"S", "M"}) {
      d.Command1_Click();
      auto& line = dynamic_cast<Form3&>(*shown.front());
      line.Text1.setText(choice);
      line.Text2.setText(std::string(choice) + "1");
      if (choice[0] == 'M') line.Option1_Click();
      line.Command1_Click();
    }
    d.Command6_Click();
  });
  creator.Command1_Click();
  auto& look = dynamic_cast<style&>(*shown.front());  // "Page Style"
  look.Text5[0].setText("1px");
  look.Combo1[0].setText("solid");
  look.Command2_Click();
  addField<text_area>("note", "textarea", "Note", [](text_area& d) { d.Command1_Click(); });
  addField<CheckableDialog>("sex", "radio", "Sex", [](CheckableDialog& d) { d.Command2_Click(); });
  addField<Form6>("go", "button", "", [](Form6& d) {
    d.Text1.setText("Send");
    d.Command2_Click();
  });
  creator.Combo2.setText("hidden");  // no dialog: the last element stays
  creator.Combo2_Click();
  addField<Form6>("again", "", "Hidden", [](Form6&) {});
  creator.List1.setListIndex(0);
  creator.Command12_Click();  // "Down": the page order only

  dialogs.fileAnswers.push_back(folder.file("survey.htm").string());
  creator.Command18_Click();
  EXPECT_EQ(folder.read("survey.htm"), golden("every-field.htm"));
  EXPECT_EQ(
      database.select("Select * From Fields Where (Fields.formID = " + std::to_string(id) + ")")
          .rows.size(),
      7u);
  EXPECT_EQ(creator.Combo3.List(0), "email");  // the table keeps its order
}

// A name with quotes, < and & must not break the page or cut the subject
// short (the page itself is checked whole by the golden and program tests).
TEST_F(FormCreatorTest, EscapedNames) {
  FormPageProperties form;
  form.name = "Q&A 'x' <b>?";
  EXPECT_EQ(BuildFormHeader(form),
            "<html><head><title>Q&amp;A &#39;x&#39; &lt;b&gt;? </title><base href=''></head>"
            "<body background='' bgcolor='' text='' link='' vlink='' alink=''>"
            "<form ACTION='mailto:?subject=Q%26A &#39;x&#39; &lt;b&gt;%3F' METHOD='POST' "
            "ENCTYPE='text/plain' NAME='Q&amp;A &#39;x&#39; &lt;b&gt;?'>");
  creator.Combo3.setText("it's");
  text_set field(creator);
  field.Command2_Click();
  EXPECT_EQ(creator.draft().fieldHtml,
            "<input type='text' name='it&#39;s' size='' value='' tabindex='' >");
}

TEST_F(FormCreatorTest, FieldOperations) {
  addForm("Empty");
  open("Empty");
  creator.Command9_Click();  // no field record is current
  EXPECT_EQ(dialogs.messageTexts(), std::vector<std::string>{Settings::kSelectRecord});

  creator.draft().fieldHtml = "<b>";
  creator.Combo3.setText("a");
  creator.Text12.setText("A");
  dialogs.messageAnswers.push_back(MessageResult::Cancel);
  creator.Command10_Click();
  EXPECT_EQ(dialogs.messages.back().title, Settings::kCheckResult);
  EXPECT_EQ(dialogs.messages.back().text,
            "<tr><td width='50%'>A</td><td width='50%'><b></td></tr>");
  EXPECT_EQ(creator.List1.ListCount(), 0);
  EXPECT_EQ(creator.Text12.Text(), "");

  for (const char* name : {"a", "b"}) {
    creator.Combo3.setText(name);
    creator.Command10_Click();
  }
  // A repeated name is named once, as the field is added; it is still added
  // (radio buttons of a group share one).
  const std::size_t shownBefore = dialogs.messages.size();
  creator.Combo3.setText("a");
  creator.Text12.setText("Again");
  creator.Command10_Click();
  ASSERT_EQ(dialogs.messages.size(), shownBefore + 2);
  EXPECT_EQ(dialogs.messages[shownBefore].text, Settings::kDuplicateName);
  EXPECT_EQ(database.select("Fields").rows.size(), 3u);
  for (int index : {0, 1}) {  // both fields named a
    creator.Combo3.setListIndex(index);
    creator.Combo3_Click();
    creator.Command9_Click();
  }
  EXPECT_EQ(creator.Combo3.items(), std::vector<std::string>{"b"});
  creator.List1.setListIndex(0);
  creator.List1_DblClick();  // off the page, not out of the table
  EXPECT_EQ(creator.List1.ListCount(), 0);
  EXPECT_EQ(database.select("Fields").rows.size(), 1u);

  creator.Text13.setText("1) OR (1=1");  // never reaches a query text
  creator.SSTab1_Click();
  EXPECT_EQ(creator.Data1.RecordSource(), "Select * From Fields Where (Fields.formID = 1)");
}

// A new form becomes current at once, with a table tag so its rows stand in
// a table; page properties are stored as they are entered; deleting a form
// takes its fields and responses with it, in one transaction, after a
// question that names the responses.
TEST_F(FormCreatorTest, NewAndDeletedForms) {
  const std::int64_t old = addForm("Old");
  database.insertRow("Fields", {{"formID", old}, {"fieldName", "x"}});
  database.insertRow("Respond", {{"respondForm", " Old"}, {"FieldName", "x"}});
  database.insertRow("Respond", {{"respondForm", " Other"}, {"FieldName", "x"}});
  open("Old");
  creator.Command20_Click();
  auto& window = dynamic_cast<frmForms&>(*shown.front());
  window.txtFields.setText("New");
  window.Command1_Click();
  EXPECT_EQ(creator.Text10.Text(), "New");
  EXPECT_EQ(creator.Combo4.items(), (std::vector<std::string>{"Old", "New"}));
  EXPECT_EQ(creator.Text5.Text(), "");
  EXPECT_EQ(creator.Text2.Text(), Settings::kDefaultTableTag);
  EXPECT_NE(creator.pageText(true).find("'New'><table"), std::string::npos);
  creator.Text16.setText("shop@x");
  creator.pagePropertiesEdited();
  EXPECT_EQ(database.select("select email, tabStyle from Forms where formName = 'New'").rows,
            (std::vector<std::vector<DbValue>>{
                {DbValue("shop@x"), DbValue(Settings::kDefaultTableTag)}}));

  creator.Combo4.setText("Old");
  creator.Combo4_Click();
  dialogs.messageAnswers.push_back(MessageResult::No);
  EXPECT_FALSE(creator.deleteCurrentForm());
  EXPECT_EQ(dialogs.messageTexts().back(), "Delete the form \"Old\" and its stored response?");
  EXPECT_EQ(database.select("Forms").rows.size(), 2u);
  creator.Command21_Click();
  EXPECT_EQ(creator.Combo4.items(), std::vector<std::string>{"New"});
  EXPECT_EQ(database.select("Forms").rows.size(), 1u);
  EXPECT_TRUE(database.select("Fields").rows.empty());
  ASSERT_EQ(database.select("Respond").rows.size(), 1u);
}

// The forms tab's "Host Delete" deletes only responses of the chosen form
// and says nothing when checked (the order tab's warning is not its own).
TEST_F(FormCreatorTest, HostDeleteOnTheFormsTabShowsNoMessage) {
  ManualEventLoop loop;
  MailSettings settings;
  ResponseIntake intake(ResponseIntakePlatform{loop, dialogs, settings, database, {}, {}},
                        std::make_unique<testing::FakeMailClient>(loop));
  intake.chkHostDelete.setValue(1);
  intake.chkHostDelete_Click();
  EXPECT_TRUE(dialogs.messages.empty());
}

}  // namespace
}  // namespace vendaro
