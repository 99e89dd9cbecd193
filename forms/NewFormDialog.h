#pragma once

#include <functional>
#include <string>

#include "forms/FieldDialog.h"
#include "platform/controls/DataControl.h"
#include "platform/controls/TextBox.h"

namespace vendaro {

// `frmForms`, "Forms": starts a new `Forms` record whose name is typed into
// `txtFields`; closing the window stores it.
class frmForms : public FieldDialog {
 public:
  static constexpr const char* kDataErrorMessage = "Data error event hit err:";

  frmForms(Database& database, Dialogs& dialogs);

  std::vector<DialogElement> elements() override;
  void Form_Load();
  void Command1_Click();  // Add

  // Raised after the new record is stored, with its name.
  std::function<void(const std::string& name)> onStored;
  // Raised by "Add" with the typed name (the form creator shows it).
  std::function<void(const std::string& name)> onAdd;

  DataControl datPrimaryRS;
  TextBox txtFields;  // formName

 protected:
  void Form_Unload() override;

 private:
  Dialogs& dialogs_;
  bool adding_ = false;
};

}  // namespace vendaro
