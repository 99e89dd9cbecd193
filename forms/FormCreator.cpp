#include "forms/FormCreator.h"

#include <algorithm>
#include <optional>
#include <string>

#include "common/ColorText.h"
#include "common/DataLists.h"
#include "common/ListReordering.h"
#include "common/TextFile.h"
#include "forms/CheckableDialog.h"
#include "forms/FormScript.h"
#include "forms/FormTables.h"
#include "forms/NewFormDialog.h"
#include "forms/PushButtonDialog.h"
#include "forms/ResponseRows.h"
#include "forms/SelectDialog.h"
#include "forms/StoredForms.h"
#include "forms/StyleDialog.h"
#include "forms/TextAreaDialog.h"
#include "forms/TextInputDialog.h"
#include "platform/SqlText.h"
#include "platform/Text.h"

namespace vendaro {
namespace {

constexpr const char* kFieldsQuery = "Select * From Fields Where (Fields.formID = ";
constexpr const char* kAddFieldQuery = "Select * From Fields Where(Fields.formID=";

bool hasCurrentRecord(DataControl& source) {
  return source.recordset().AbsolutePosition() >= 0;
}

}  // namespace

Settings::Settings(FormCreatorPlatform platform)
    : Data1(platform.database),
      Data2(platform.database, "Forms"),
      Data3(platform.database, "select * from [Respond]"),
      platform_(std::move(platform)) {
  for (const auto& [box, field] :
       std::vector<std::pair<TextBox*, const char*>>{{&Text10, "formName"},
                                                     {&Text13, "formID"},
                                                     {&Text1, "formFile"},
                                                     {&Text2, "tabStyle"},
                                                     {&Text3, "baseLoc"},
                                                     {&Combo1, "frame"},
                                                     {&Text4, "backmage"},
                                                     {&Text5, "backColor"},
                                                     {&Text6, "backText"},
                                                     {&Text7, "hyperlink"},
                                                     {&Text8, "VHyperlink"},
                                                     {&Text9, "AHyperlink"},
                                                     {&Text16, "email"}}) {
    Data2.bind(*box, field);
  }
  Data1.bind(Text11, "fieldName");
  Data1.bind(Text15, "fieldName");
  Data1.bind(Text14, "fieldDescription");
  Data3.bind(Text17, "fieldName");
  Data3.bind(Text18, "fieldValue");
  for (const char* type : kFieldTypes) Combo2.AddItem(type);
}

Settings::~Settings() = default;

void Settings::Form_Load() {
  createFormTables(platform_.database);
  fillFormLists();
  refreshResponses();
}

// The bound boxes' edits are stored when the window closes.
void Settings::Form_Unload() {
  for (DataControl* source : {&Data2, &Data1, &Data3}) {
    if (!source->RecordSource().empty() && hasCurrentRecord(*source)) source->UpdateRecord();
  }
}

void Settings::fillFormLists() {
  Data2.Refresh();
  Combo4.Clear();
  Combo5.Clear();
  Recordset& forms = Data2.recordset();
  if (forms.RecordCount() == 0) return;
  for (forms.MoveFirst(); !forms.Eof(); forms.MoveNext()) {
    Combo4.AddItem(Text10.Text());
    Combo5.AddItem(Text10.Text());
  }
  forms.MoveFirst();
}

// A name that is not in the table leaves no form current.
void Settings::findForm(const std::string& name) {
  FindRecord(Data2, "formName", name);
}

bool Settings::hasCurrentForm() {
  Recordset& forms = Data2.recordset();
  return forms.AbsolutePosition() >= 0 && !forms.Eof();
}

// The key goes into a query text only as a whole number.
std::optional<std::string> Settings::currentFormId() const {
  return sqlWholeNumber(Text13.Text());
}

void Settings::Combo4_Click() {
  findForm(Combo4.Text());
}

void Settings::SSTab1_Click() {
  loadFieldLists();
}

// A form without fields empties both lists, so that the rows of the form
// shown before cannot end up in this form's page.
void Settings::loadFieldLists() {
  const std::optional<std::string> formId = currentFormId();
  if (!formId || !hasCurrentForm()) return;
  Data1.setRecordSource(kFieldsQuery + *formId + ")");
  Data1.Refresh();
  Combo3.Clear();
  if (!hasCurrentRecord(Data1)) {
    List1.Clear();
    return;
  }
  FillComboFromData(Combo3, Data1, Text11);
  FillListFromData(List1, Data1, Text14);
}

void Settings::Command20_Click() {
  auto window = std::make_shared<frmForms>(platform_.database, platform_.dialogs);
  window->onAdd = [this](const std::string& name) { Combo4.setText(name); };
  window->onStored = [this](const std::string& name) { newFormStored(name); };
  window->Form_Load();
  showDialog(window);
}

// The new form becomes current at once, so that its fields are stored
// under its own key and not under the form shown before. It starts with the
// plain table tag, so its rows stand in a table.
void Settings::newFormStored(const std::string& name) {
  Data2.Refresh();
  Combo4.AddItem(name);
  Combo5.AddItem(name);
  Combo4.setText(name);
  Data2.recordset().MoveLast();
  if (hasCurrentForm() && Text2.Text().empty()) {
    Text2.setText(kDefaultTableTag);
    Data2.UpdateRecord();
  }
}

// The form goes with its fields and its stored responses, in one
// transaction, once the user has agreed.
void Settings::Command21_Click() {
  deleteCurrentForm();
}

bool Settings::deleteCurrentForm() {
  const bool current = hasCurrentForm();
  if (current && !confirmFormDeletion()) return false;
  const std::string name = Combo4.Text();
  if (!name.empty()) {
    const int count = Combo4.ListCount();
    for (int i = 0, seen = 0; seen < count; ++seen) {
      if (Combo4.List(i) == name) {
        Combo4.RemoveItem(i);
      } else {
        ++i;
      }
    }
  }
  if (current) deleteFormRecords();
  Data2.Refresh();
  return current;
}

bool Settings::confirmFormDeletion() {
  const std::string name = Text10.Text();
  const std::string question =
      deletionQuestion(name, storedResponseCount(platform_.database, name));
  return platform_.dialogs.MsgBox(question, MessageButtons::YesNo, MessageIcon::Question) ==
         MessageResult::Yes;
}

void Settings::deleteFormRecords() {
  Database& database = platform_.database;
  const std::optional<std::string> formId = currentFormId();
  const std::string formName = Text10.Text();
  database.beginTransaction();
  try {
    if (formId)
      database.execute("DELETE FROM [Fields] WHERE formID = ?",
                       {DbValue(static_cast<std::int64_t>(std::stoll(*formId)))});
    database.execute("DELETE FROM [Respond] WHERE trim(respondForm) = ?", {DbValue(formName)});
    Data2.recordset().Delete();
    database.commit();
  } catch (const DataError&) {
    database.rollback();
    throw;
  }
  Data2.recordset().MoveNext();
}

void Settings::chooseFile(const char* filter, TextBox& target) {
  const std::optional<std::string> file = platform_.dialogs.ShowOpen({}, filter);
  if (file && !file->empty()) target.setText(*file);
  pagePropertiesEdited();
}

void Settings::pagePropertiesEdited() {
  if (hasCurrentForm()) Data2.UpdateRecord();
}

void Settings::Command14_Click() {
  chooseFile(kPageFilter, Text1);
}

void Settings::Command2_Click() {
  chooseFile(kImageFilter, Text4);
}

// A closed colour dialog leaves its last colour, which the box receives.
void Settings::Command_C_Click(int index) {
  static constexpr int kFirstColourButton = 4;
  TextBox* boxes[] = {&Text5, &Text6, &Text7, &Text8, &Text9};
  const int box = index - kFirstColourButton;
  if (box < 0 || box >= 5) return;
  if (const std::optional<int> color = platform_.dialogs.ShowColor(lastColor_)) lastColor_ = *color;
  boxes[box]->setText(ColorToHtml(lastColor_));
  pagePropertiesEdited();
}

void Settings::Command1_Click() {
  showStyleDialog();
}

FormPageProperties Settings::pageProperties() const {
  return {Combo4.Text(),
          Text3.Text(),
          Text4.Text(),
          Text5.Text(),
          Text6.Text(),
          Text7.Text(),
          Text8.Text(),
          Text9.Text(),
          Text16.Text(),
          Text2.Text(),
          {}};
}

std::vector<std::string> Settings::rows() const {
  return List1.items();
}

std::string Settings::pageText(bool withRows, const std::string& scriptFile) const {
  FormPageProperties properties = pageProperties();
  properties.scriptFile = scriptFile;
  return formPageText(properties, withRows ? rows() : std::vector<std::string>{});
}

void Settings::Command15_Click() {
  BrowserPane* pane = platform_.browserPane;
  if (pane == nullptr || pane->browser().Busy()) return;
  pane->browser().writeDocument(pageText(false));
}

void Settings::Command16_Click() {
  BrowserPane* pane = platform_.browserPane;
  if (pane == nullptr) return;
  if (platform_.showMainWindow) platform_.showMainWindow();
  pane->browser().writeDocument(pageText(true));
  pane->setVisible(true);
}

void Settings::Command18_Click() {
  const std::optional<std::string> file = platform_.dialogs.ShowSave({}, kPageFilter);
  if (!file || file->empty()) return;
  std::string scriptFile;
  if (chkFormScript.checked()) {
    std::optional<MailFormScript> script = storedFormScript(platform_.database, Combo4.Text());
    if (script) script->address = Text16.Text();
    if (!script || !isPlainMailAddress(script->address)) {
      platform_.dialogs.MsgBox(
          "The form script needs the form's e-mail address, written with letters, digits and "
          ".@_+- only",
          MessageButtons::Ok, MessageIcon::Critical);
      return;
    }
    const std::filesystem::path scriptPath = scriptFileOf(*file);
    if (!writeWholeFile(scriptPath, mailFormScriptText(*script))) {
      platform_.dialogs.MsgBox("The form script could not be written to " + scriptPath.string(),
                               MessageButtons::Ok, MessageIcon::Critical);
      return;
    }
    scriptFile = scriptPath.filename().string();
  }
  if (!writeWholeFile(*file, pageText(true, scriptFile) + std::string(kCrLf))) {
    platform_.dialogs.MsgBox("The form page could not be written to " + *file, MessageButtons::Ok,
                             MessageIcon::Critical);
  }
}

// ---- Fields ----

std::string Settings::elementName() const {
  return htmlName(Combo3.Text());
}

void Settings::showDialog(std::shared_ptr<FieldDialog> dialog) {
  if (onShowDialog) onShowDialog(std::move(dialog));
}

// One style dialog for the window's life, so its boxes keep their values.
void Settings::showStyleDialog() {
  if (!style_) style_ = std::make_shared<style>(*this);
  showDialog(style_);
}

void Settings::Combo2_Click() {
  const std::string type = Combo2.Text();
  std::shared_ptr<FieldDialog> dialog;
  if (type == "text") dialog = std::make_shared<text_set>(*this);
  if (type == "textarea") dialog = std::make_shared<text_area>(*this);
  if (type == "radio")
    dialog = std::make_shared<CheckableDialog>(*this, CheckableDialog::Type::RadioButton);
  if (type == "checkbox")
    dialog = std::make_shared<CheckableDialog>(*this, CheckableDialog::Type::CheckBox);
  if (type == "select") dialog = std::make_shared<Form2>(*this);
  if (type == "button") dialog = std::make_shared<Form6>(*this);
  if (dialog) showDialog(dialog);
}

void Settings::Combo3_Click() {
  const int index = Combo3.ListIndex();
  if (index >= 0 && index < List1.ListCount()) List1.setListIndex(index);
  if (!Data1.RecordSource().empty()) FindRecord(Data1, "fieldName", Combo3.Text());
}

// The name is checked once, as the field is added: a check on every key
// would take the focus from the box while the user types. Radio buttons of
// one group share a name, so a repeat is a warning only.
void Settings::Command10_Click() {
  if (Combo3.items().end() !=
      std::find(Combo3.items().begin(), Combo3.items().end(), Combo3.Text())) {
    platform_.dialogs.MsgBox(kDuplicateName);
  }
  const std::string row = "<tr><td width='50%'>" + Text12.Text() + "</td><td width='50%'>" +
                          draft_.fieldHtml + "</td></tr>";
  const MessageResult answer =
      platform_.dialogs.MsgBox(row, MessageButtons::OkCancel, MessageIcon::None, kCheckResult);
  if (answer == MessageResult::Ok) {
    List1.AddItem(row);
    if (const std::optional<std::string> formId = currentFormId()) storeField(row, *formId);
  }
  if (!Data1.RecordSource().empty()) FillComboFromData(Combo3, Data1, Text11);
  Text12.setText("");
}

void Settings::storeField(const std::string& row, const std::string& formId) {
  Data1.setRecordSource(kAddFieldQuery + formId + ")");
  Data1.Refresh();
  Recordset& fields = Data1.recordset();
  fields.AddNew();
  fields.Fields("formID").setValue(DbValue(Text13.Text()));
  fields.Fields("fieldName").setValue(DbValue(Combo3.Text()));
  fields.Fields("fieldType").setValue(DbValue(Combo2.Text()));
  fields.Fields("fieldDescription").setValue(DbValue(row));
  fields.Update();
}

void Settings::Command9_Click() {
  if (Data1.RecordSource().empty() || !hasCurrentRecord(Data1) || Data1.recordset().Eof()) {
    platform_.dialogs.MsgBox(kSelectRecord);
    return;
  }
  Data1.recordset().Delete();
  loadFieldLists();
}

void Settings::Command11_Click() {
  MoveItemUp(List1);
}

void Settings::Command12_Click() {
  MoveItemDown(List1);
}

void Settings::List1_DblClick() {
  const int index = List1.ListIndex();
  if (index < 0) return;
  if (Combo3.ListCount() > 0 && index < Combo3.ListCount()) Combo3.RemoveItem(index);
  List1.RemoveItem(index);
}

// ---- Responses ----

void Settings::Combo5_Click() {
  findForm(Combo5.Text());
  const std::optional<std::string> formId = currentFormId();
  if (!formId || !hasCurrentForm()) return;
  Data1.setRecordSource(kFieldsQuery + *formId + ")");
  Data1.Refresh();
  if (hasCurrentRecord(Data1)) FillListFromData(List2, Data1, Text15);
}

void Settings::refreshResponses() {
  Data3.Refresh();
  Recordset& responses = Data3.recordset();
  grdDataGrid = {};
  for (int i = 0; i < responses.fieldCount(); ++i) {
    grdDataGrid.columns.push_back(responses.fieldAt(i).Name());
  }
  if (responses.RecordCount() > 0) {
    for (responses.MoveFirst(); !responses.Eof(); responses.MoveNext()) {
      std::vector<std::string> row;
      for (int i = 0; i < responses.fieldCount(); ++i) {
        row.push_back(responses.fieldAt(i).Value().toText());
      }
      grdDataGrid.rows.push_back(std::move(row));
    }
    responses.MoveFirst();
  }
  gridRow = grdDataGrid.rows.empty() ? -1 : 0;
  if (onResponsesShown) onResponsesShown();
}

ResponseForm Settings::responseForm() {
  ResponseForm form{Combo5.Text(), List2.items(), false};
  const QueryResult forms = platform_.database.select("Forms");
  const auto column = std::find(forms.columns.begin(), forms.columns.end(), "formName");
  if (column == forms.columns.end()) return form;
  const auto index = static_cast<std::size_t>(column - forms.columns.begin());
  for (const auto& row : forms.rows) {
    if (row[index].toText() == form.name) form.exists = true;
  }
  return form;
}

void Settings::responseStored(const StoredResponse& response) {
  subject.setText(response.subject);
  f_rom.setText(response.sender);
  d_ate.setText(response.date);
  refreshResponses();
}

// Without a response row selected there is nothing to delete.
void Settings::Command151_Click() {
  if (gridRow < 0 || gridRow >= static_cast<int>(grdDataGrid.rows.size())) return;
  Data3.recordset().setAbsolutePosition(gridRow);
  Data3.recordset().Delete();
  refreshResponses();
}

}  // namespace vendaro
