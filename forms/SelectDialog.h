#pragma once

#include "forms/FieldDialog.h"
#include "platform/controls/ListControl.h"
#include "platform/controls/OptionButton.h"
#include "platform/controls/TextBox.h"

namespace vendaro {

// `Form2`, caption "Form2": a select list with its option lines.
class Form2 : public FieldDialog {
 public:
  explicit Form2(FieldDialogHost& host);

  std::vector<DialogElement> elements() override;
  void Option1_Click();     // Yes
  void Option2_Click();     // No
  void Command1_Click();    // Add: opens `Form3` for one option line
  void Command3_Click() {}  // Up: no effect
  void Command4_Click() {}  // Down: no effect
  void Command5_Click();    // Style
  void Command6_Click();    // OK
  void Command7_Click();    // Cancel

  TextBox Text1{"1"};  // Hight
  TextBox Text2;       // Tab Order
  OptionButton Option1{"Yes"};
  OptionButton Option2{"No"};
  ListControl List1;  // option lines, each ending in CR LF

 private:
  FieldDialogHost& host_;
};

}  // namespace vendaro
