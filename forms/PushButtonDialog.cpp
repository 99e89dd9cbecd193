#include "forms/PushButtonDialog.h"

namespace vendaro {

Form6::Form6(FieldDialogHost& host) : FieldDialog("Form6", "Push Button Properties"), host_(host) {
  Option2.setValue(true);
}

std::vector<DialogElement> Form6::elements() {
  using Kind = DialogElement::Kind;
  return {{Kind::Box, "Label", "Text1", &Text1},
          {Kind::Box, "Tab Order", "Text2", &Text2},
          {Kind::Option, Option1.Caption(), "Option1", &Option1, [this] { Option1_Click(); }},
          {Kind::Option, Option2.Caption(), "Option2", &Option2, [this] { Option2_Click(); }},
          {Kind::Option, Option3.Caption(), "Option3", &Option3, [this] { Option3_Click(); }},
          {Kind::Button, "Style", "Command1", nullptr, [this] { Command1_Click(); }},
          {Kind::Button, "OK", "Command2", nullptr, [this] { Command2_Click(); }},
          {Kind::Button, "Cancel", "Command3", nullptr, [this] { Command3_Click(); }},
          {Kind::Button, "Form", "Command4", nullptr, [this] { Command4_Click(); }}};
}

void Form6::Option1_Click() {
  chooseOption(Option1, options());
}

void Form6::Option2_Click() {
  chooseOption(Option2, options());
}

void Form6::Option3_Click() {
  chooseOption(Option3, options());
}

void Form6::Command1_Click() {
  host_.showStyleDialog();
}

void Form6::Command2_Click() {
  FieldDraft& draft = host_.draft();
  const char* type = Option1.Value() ? "button" : Option2.Value() ? "submit" : "reset";
  draft.fieldHtml = std::string("<input type='") + type + "' value='" + Text1.Text() + "' name='" +
                    host_.elementName() + "' tabindex='" + Text2.Text() + "' " + draft.fieldStyle +
                    ">";
  close();
}

void Form6::Command3_Click() {
  close();
}

}  // namespace vendaro
