#pragma once

#include <array>

#include "forms/FieldDialog.h"
#include "platform/controls/ListControl.h"
#include "platform/controls/TextBox.h"

namespace vendaro {

// `style`, "Style": borders, margins and padding of a field, built into the
// style attribute every following field element carries.
class style : public FieldDialog {
 public:
  static constexpr std::array<const char*, 9> kBorderStyles = {
      "none", "dotted", "dashed", "solid", "double", "groove", "ridge", "inset", "outset"};
  // The rows of the "Borders" page and the boxes of each margin and padding frame.
  static constexpr std::array<const char*, 4> kSides = {"Left", "Right", "Top", "Bottom"};

  explicit style(FieldDialogHost& host);

  std::vector<DialogElement> elements() override;
  void Command1_Click(int index);  // C: border colour of row `index`
  void Command2_Click();           // OK
  void Command3_Click();           // Cancel

  std::array<TextBox, 4> Text5;       // border widths
  std::array<ListControl, 4> Combo1;  // border styles
  std::array<TextBox, 4> Text6;       // border colours (shown only)
  // Index 0: margins, 1: padding.
  std::array<TextBox, 2> Text1;  // Left
  std::array<TextBox, 2> Text2;  // Right
  std::array<TextBox, 2> Text3;  // Top
  std::array<TextBox, 2> Text4;  // Bottom

 private:
  FieldDialogHost& host_;
  int lastColor_ = 0;
};

}  // namespace vendaro
