#pragma once

#include "forms/FieldDialog.h"
#include "platform/controls/OptionButton.h"
#include "platform/controls/TextBox.h"

namespace vendaro {

// `Form4`, "Check Box Properties", and `Form5`, "Radio Button Properties":
// a check box or radio button element, checked or not.
class CheckableDialog : public FieldDialog {
 public:
  enum class Type { CheckBox, RadioButton };

  CheckableDialog(FieldDialogHost& host, Type type);

  std::vector<DialogElement> elements() override;
  void Option1_Click();   // Checked
  void Option2_Click();   // Unchecked
  void Command1_Click();  // Style
  void Command2_Click();  // OK
  void Command3_Click();  // Cancel

  TextBox Text1;  // Value
  TextBox Text2;  // Tab Order
  OptionButton Option1{"Checked"};
  OptionButton Option2{"Unchecked"};

 private:
  FieldDialogHost& host_;
  Type type_;
};

}  // namespace vendaro
