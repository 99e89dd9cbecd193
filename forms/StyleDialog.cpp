#include "forms/StyleDialog.h"

#include "common/ColorText.h"

namespace vendaro {

style::style(FieldDialogHost& host) : FieldDialog("style", "Style"), host_(host) {
  for (ListControl& list : Combo1) {
    for (const char* name : kBorderStyles) list.AddItem(name);
  }
}

std::vector<DialogElement> style::elements() {
  using Kind = DialogElement::Kind;
  std::vector<DialogElement> elements;
  const std::string borders = "Borders";
  const std::string alignment = "Alignment";
  for (std::size_t i = 0; i < kSides.size(); ++i) {
    const std::string index = "_" + std::to_string(i);
    const int row = static_cast<int>(i);
    elements.push_back(
        {Kind::Box, std::string(kSides[i]) + " :", "Text5" + index, &Text5[i], nullptr, borders});
    elements.push_back({Kind::Combo, "", "Combo1" + index, &Combo1[i], nullptr, borders});
    elements.push_back({Kind::Box, "", "Text6" + index, &Text6[i], nullptr, borders});
    elements.push_back({Kind::Button, "C", "Command1" + index, nullptr,
                        [this, row] { Command1_Click(row); }, borders});
  }
  for (std::size_t frame = 0; frame < 2; ++frame) {
    const std::string index = "_" + std::to_string(frame);
    elements.push_back({Kind::Heading, frame == 0 ? "Margins :" : "Padding :",
                        frame == 0 ? "Frame1" : "Frame2", nullptr, nullptr, alignment});
    const std::array<TextBox*, 4> boxes = {&Text1[frame], &Text2[frame], &Text3[frame],
                                           &Text4[frame]};
    for (std::size_t side = 0; side < kSides.size(); ++side) {
      elements.push_back({Kind::Box, kSides[side], "Text" + std::to_string(side + 1) + index,
                          boxes[side], nullptr, alignment});
    }
  }
  elements.push_back({Kind::Button, "OK", "Command2", nullptr, [this] { Command2_Click(); }});
  elements.push_back({Kind::Button, "Cancel", "Command3", nullptr, [this] { Command3_Click(); }});
  return elements;
}

// A cancelled colour dialog leaves its last colour, which the box receives.
void style::Command1_Click(int index) {
  if (const std::optional<int> color = host_.dialogs().ShowColor(lastColor_)) lastColor_ = *color;
  Text6.at(static_cast<std::size_t>(index)).setText(ColorToHtml(lastColor_));
}

void style::Command2_Click() {
  const auto border = [this](std::size_t i) { return Text5[i].Text() + " " + Combo1[i].Text(); };
  host_.draft().fieldStyle =
      "style='border-left: " + border(0) + "; border-right: " + border(1) +
      "; border-top: " + border(2) + "; border-bottom: " + border(3) + ";" +
      " margin-left: " + Text1[0].Text() + "; margin-right: " + Text2[0].Text() +
      "; margin-top: " + Text3[0].Text() + "; margin-bottom: " + Text4[0].Text() +
      "; padding-left: " + Text1[1].Text() + "; padding-right: " + Text2[1].Text() +
      "; padding-top: " + Text3[1].Text() + "; padding-bottom: " + Text4[1].Text() + "'";
  close();
}

void style::Command3_Click() {
  close();
}

}  // namespace vendaro
