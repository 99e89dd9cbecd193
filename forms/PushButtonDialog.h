#pragma once

#include "forms/FieldDialog.h"
#include "platform/controls/OptionButton.h"
#include "platform/controls/TextBox.h"

namespace vendaro {

// `Form6`, "Push Button Properties": a normal, submit or reset button.
class Form6 : public FieldDialog {
 public:
  explicit Form6(FieldDialogHost& host);

  std::vector<DialogElement> elements() override;
  void Option1_Click();     // Normal
  void Option2_Click();     // Submit
  void Option3_Click();     // Reset
  void Command1_Click();    // Style
  void Command2_Click();    // OK
  void Command3_Click();    // Cancel
  void Command4_Click() {}  // Form: no effect

  TextBox Text1;  // Label
  TextBox Text2;  // Tab Order
  OptionButton Option1{"Normal"};
  OptionButton Option2{"Submit"};
  OptionButton Option3{"Reset"};

 private:
  std::vector<OptionButton*> options() { return {&Option1, &Option2, &Option3}; }
  FieldDialogHost& host_;
};

}  // namespace vendaro
