#pragma once

#include "forms/FieldDialog.h"
#include "platform/controls/TextBox.h"

namespace vendaro {

// `text_set`, "Text Input": a text input element.
class text_set : public FieldDialog {
 public:
  explicit text_set(FieldDialogHost& host) : FieldDialog("text_set", "Text Input"), host_(host) {}

  std::vector<DialogElement> elements() override;
  void Command1_Click();  // Style
  void Command2_Click();  // OK
  void Command3_Click();  // Cancel

  TextBox Text1;  // Size
  TextBox Text2;  // Value
  TextBox Text3;  // Tab Index

 private:
  FieldDialogHost& host_;
};

}  // namespace vendaro
