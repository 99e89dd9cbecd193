#pragma once

#include <functional>
#include <string>

#include "forms/FieldDialog.h"
#include "platform/controls/OptionButton.h"
#include "platform/controls/TextBox.h"

namespace vendaro {

// `Form3`, "Choise": one option line of a select list, handed to the select
// dialog that opened it.
class Form3 : public FieldDialog {
 public:
  explicit Form3(std::function<void(const std::string& line)> addLine);

  std::vector<DialogElement> elements() override;
  void Option1_Click();   // Selected
  void Option2_Click();   // Not selected
  void Command1_Click();  // OK
  void Command2_Click();  // Cancel

  TextBox Text1;  // Choise: the text shown
  TextBox Text2;  // Value
  OptionButton Option1{"Selected"};
  OptionButton Option2{"Not selected"};

 private:
  std::function<void(const std::string& line)> addLine_;
};

}  // namespace vendaro
