#include "forms/NewFormDialog.h"

#include <string>

namespace vendaro {

frmForms::frmForms(Database& database, Dialogs& dialogs)
    : FieldDialog("frmForms", "Forms"),
      datPrimaryRS(database, "select * from [Forms]"),
      dialogs_(dialogs) {
  datPrimaryRS.bind(txtFields, "formName");
  datPrimaryRS.onError = [this](int, const std::string& description) {
    dialogs_.MsgBox(kDataErrorMessage + description);
  };
  datPrimaryRS.onReposition = [this] {
    datPrimaryRS.setCaption("Record: " + std::to_string(datPrimaryRS.recordset().AbsolutePosition() + 1));
  };
}

std::vector<DialogElement> frmForms::elements() {
  using Kind = DialogElement::Kind;
  return {{Kind::Box, "New Form's Name", "txtFields", &txtFields},
          {Kind::Button, "Add", "Command1", nullptr, [this] { Command1_Click(); }}};
}

void frmForms::Form_Load() {
  datPrimaryRS.Refresh();
  datPrimaryRS.recordset().AddNew();
  adding_ = true;
}

void frmForms::Command1_Click() {
  if (onAdd) onAdd(txtFields.Text());
  close();
}

// The typed name goes into the new record, which is stored.
void frmForms::Form_Unload() {
  if (!adding_) return;
  adding_ = false;
  try {
    Recordset& forms = datPrimaryRS.recordset();
    forms.Fields("formName").setValue(DbValue(txtFields.Text()));
    forms.Update();
  } catch (const DataError& error) {
    dialogs_.MsgBox(kDataErrorMessage + std::string(error.what()));
    return;
  }
  if (onStored) onStored(txtFields.Text());
}

}  // namespace vendaro
