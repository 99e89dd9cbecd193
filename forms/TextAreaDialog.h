#pragma once

#include <array>

#include "forms/FieldDialog.h"
#include "platform/controls/TextBox.h"

namespace vendaro {

// `text_area`, "Text Area Input": a text area element.
class text_area : public FieldDialog {
 public:
  explicit text_area(FieldDialogHost& host)
      : FieldDialog("text_area", "Text Area Input"), host_(host) {}

  std::vector<DialogElement> elements() override;
  void Command1_Click();  // OK
  void Command2_Click();  // Cancel
  void Command3_Click();  // Style

  // Rows, Columns, Tab Index.
  std::array<TextBox, 3> Text1{TextBox("1"), TextBox("20"), TextBox()};

 private:
  FieldDialogHost& host_;
};

}  // namespace vendaro
