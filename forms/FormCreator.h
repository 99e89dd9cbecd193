#pragma once

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "forms/FieldDialog.h"
#include "forms/FieldDraft.h"
#include "forms/FormPage.h"
#include "forms/ResponseIntake.h"
#include "forms/ResponseMailStore.h"
#include "platform/BrowserPane.h"
#include "platform/Database.h"
#include "platform/Dialogs.h"
#include "platform/controls/CheckBox.h"
#include "platform/controls/DataControl.h"
#include "platform/controls/Label.h"
#include "platform/controls/ListControl.h"
#include "platform/controls/TextBox.h"

namespace vendaro {

class style;

// What the form creator talks to. The browser pane is the main window's
// first pane (null: the previews do nothing); `showMainWindow` brings the
// main window forward for the preview with fields.
struct FormCreatorPlatform {
  Database& database;
  Dialogs& dialogs;
  BrowserPane* browserPane = nullptr;
  std::function<void()> showMainWindow;
};

// The rows the response grid shows.
struct ResponseGrid {
  std::vector<std::string> columns;
  std::vector<std::vector<std::string>> rows;
};

// The form creator `Settings` ("Form Creator"): forms and their page
// properties in `Forms`, their fields in `Fields`, the field dialogs, the
// form page, and the stored responses of `Respond`.
class Settings : public FieldDialogHost {
 public:
  static constexpr const char* kCheckResult = "Check result!";
  static constexpr const char* kSelectRecord = "Select record to delete";
  static constexpr const char* kPageFilter = "HTML files (*.htm)|*.htm|(*.html)|*.html|";
  static constexpr const char* kImageFilter = "Images files (*.gif)|*.gif|(*.jpg)|*.jpg|";
  static constexpr const char* kDefaultTableTag =
      "<table\r\n cellpadding=\"2\" cellspacing=\"1\" width=\"100%\" border=\"1\" "
      "bordercolor=\"#000000\"\r\n bordercolorlight=\"#000000\" bgcolor=\"#FFFFE1\">\r\n";
  static constexpr const char* kDuplicateName =
      "You already have the same name , Please choose a new one ";
  static constexpr std::array<const char*, 7> kFieldTypes = {
      "text", "hidden", "textarea", "radio", "checkbox", "select", "button"};

  explicit Settings(FormCreatorPlatform platform);
  ~Settings() override;
  Settings(const Settings&) = delete;
  Settings& operator=(const Settings&) = delete;

  void Form_Load();
  void Form_Unload();
  void SSTab1_Click();  // a page switch
  // Page properties.
  void Combo4_Click();
  void Command20_Click();  // New Form
  void Command21_Click();  // Delete (the form)
  // Deletes the current form after asking; false when there is none or the
  // answer was No.
  bool deleteCurrentForm();
  void Command14_Click();           // Open: location
  void Command2_Click();            // Open: background image
  void Command_C_Click(int index);  // C: colour of Text5 (4) .. Text9 (8)
  void Command1_Click();            // Page Style
  void Command15_Click();           // Preview without fields
  // A page property box was edited: the form keeps it at once.
  void pagePropertiesEdited();
  // Fields.
  void Combo2_Click();  // field type: opens its dialog
  void Combo3_Click();
  void Command10_Click();  // Add
  void Command9_Click();   // Delete (the field)
  void Command11_Click();  // Up
  void Command12_Click();  // Down
  void List1_DblClick();
  void Command16_Click();  // Preview with fields
  void Command18_Click();  // Save (with chkFormScript also the page's mail script)
  // Responses.
  void Combo5_Click();
  void Command151_Click();  // Delete (the response)
  void refreshResponses();
  // The form whose responses the intake collects: the text of `Combo5`, the
  // fields of `List2`, and whether `Forms` still has it.
  ResponseForm responseForm();
  // Shows a response the intake stored.
  void responseStored(const StoredResponse& response);

  // The current form's page, with the rows of `List1` or without.
  FormPageProperties pageProperties() const;
  // With a script file the form posts to that mail script.
  std::string pageText(bool withRows, const std::string& scriptFile = {}) const;

  // FieldDialogHost
  FieldDraft& draft() override { return draft_; }
  std::string elementName() const override;
  void showDialog(std::shared_ptr<FieldDialog> dialog) override;
  void showStyleDialog() override;
  Dialogs& dialogs() override { return platform_.dialogs; }

  // Raised for every dialog to show, not modal.
  std::function<void(std::shared_ptr<FieldDialog>)> onShowDialog;
  // Raised after the responses were read again.
  std::function<void()> onResponsesShown;

  Label Caption{"Form Creator"};
  DataControl Data1;  // the fields of the current form
  DataControl Data2;  // "Forms"
  DataControl Data3;  // "select * from [Respond]"
  // Bound to Data2.
  TextBox Text10;                   // formName
  TextBox Text13;                   // formID
  TextBox Text1;                    // formFile, "Location :"
  TextBox Text2{kDefaultTableTag};  // tabStyle
  TextBox Text3;                    // baseLoc
  TextBox Combo1;                   // frame
  TextBox Text4;                    // backmage
  TextBox Text5;                    // backColor
  TextBox Text6;                    // backText
  TextBox Text7;                    // hyperlink
  TextBox Text8;                    // VHyperlink
  TextBox Text9;                    // AHyperlink
  TextBox Text16;                   // email
  // "Save" writes the page posting to a mail script beside it instead of mailto:.
  CheckBox chkFormScript{"Form script"};
  // Bound to Data1.
  TextBox Text11;  // fieldName
  TextBox Text15;  // fieldName
  TextBox Text14;  // fieldDescription
  // Bound to Data3.
  TextBox Text17;     // fieldName
  TextBox Text18;     // fieldValue
  TextBox txtFields;  // "respondID:", not used
  TextBox subject;    // of the message in work
  TextBox f_rom;
  TextBox d_ate;
  // The mailbox part of the responses tab; the subsystem makes it.
  std::unique_ptr<ResponseIntake> intake;

  ListControl Combo4;  // form names
  ListControl Combo5;  // form names of the response intake
  ListControl Combo2;  // field types
  ListControl Combo3;  // field names
  ListControl List1;   // rows of the page
  ListControl List2;   // field names of the response form
  TextBox Text12;      // "Appropriate text for this field"
  ResponseGrid grdDataGrid;
  int gridRow = -1;  // the response row selected in the grid

 private:
  void loadFieldLists();
  void fillFormLists();
  void findForm(const std::string& name);
  bool hasCurrentForm();
  std::optional<std::string> currentFormId() const;
  void storeField(const std::string& row, const std::string& formId);
  bool confirmFormDeletion();
  void deleteFormRecords();
  void newFormStored(const std::string& name);
  void chooseFile(const char* filter, TextBox& target);
  std::vector<std::string> rows() const;

  FormCreatorPlatform platform_;
  FieldDraft draft_;
  std::shared_ptr<style> style_;
  int lastColor_ = 0;
};

}  // namespace vendaro
