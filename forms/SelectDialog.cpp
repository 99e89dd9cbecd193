#include "forms/SelectDialog.h"

#include "forms/OptionLineDialog.h"

namespace vendaro {

Form2::Form2(FieldDialogHost& host) : FieldDialog("Form2", "Form2"), host_(host) {
  Option2.setValue(true);
}

std::vector<DialogElement> Form2::elements() {
  using Kind = DialogElement::Kind;
  return {{Kind::Box, "Hight :", "Text1", &Text1},
          {Kind::Box, "Tab Order", "Text2", &Text2},
          {Kind::Heading, "Allow Multiple Selection ?", "Label3"},
          {Kind::Option, Option1.Caption(), "Option1", &Option1, [this] { Option1_Click(); }},
          {Kind::Option, Option2.Caption(), "Option2", &Option2, [this] { Option2_Click(); }},
          {Kind::List, "", "List1", &List1},
          {Kind::Button, "Add", "Command1", nullptr, [this] { Command1_Click(); }},
          {Kind::Button, "Up", "Command3", nullptr, [this] { Command3_Click(); }},
          {Kind::Button, "Down", "Command4", nullptr, [this] { Command4_Click(); }},
          {Kind::Button, "Style", "Command5", nullptr, [this] { Command5_Click(); }},
          {Kind::Button, "OK", "Command6", nullptr, [this] { Command6_Click(); }},
          {Kind::Button, "Cancel", "Command7", nullptr, [this] { Command7_Click(); }}};
}

void Form2::Option1_Click() {
  chooseOption(Option1, {&Option1, &Option2});
}

void Form2::Option2_Click() {
  chooseOption(Option2, {&Option1, &Option2});
}

void Form2::Command1_Click() {
  // The select dialog may be closed before the option line is confirmed.
  std::weak_ptr<FieldDialog> self = weak_from_this();
  host_.showDialog(std::make_shared<Form3>([self](const std::string& line) {
    if (auto dialog = self.lock()) static_cast<Form2&>(*dialog).List1.AddItem(line);
  }));
}

void Form2::Command5_Click() {
  host_.showStyleDialog();
}

void Form2::Command6_Click() {
  FieldDraft& draft = host_.draft();
  const char* multiple = Option1.Value() ? " multiple tabindex = '" : " tabindex = '";
  std::string html = "<select name='" + host_.elementName() + "' size='" + Text1.Text() + "'" +
                     multiple + Text2.Text() + "' " + draft.fieldStyle + ">\r\n";
  for (const std::string& line : List1.items()) html += line;
  draft.fieldHtml = html + "</select>";
  close();
}

void Form2::Command7_Click() {
  close();
}

}  // namespace vendaro
