#include "forms/CheckableDialog.h"

namespace vendaro {

CheckableDialog::CheckableDialog(FieldDialogHost& host, Type type)
    : FieldDialog(type == Type::CheckBox ? "Form4" : "Form5",
                  type == Type::CheckBox ? "Check Box Properties" : "Radio Button Properties"),
      host_(host),
      type_(type) {
  Option2.setValue(true);
}

std::vector<DialogElement> CheckableDialog::elements() {
  using Kind = DialogElement::Kind;
  return {{Kind::Box, "Value", "Text1", &Text1},
          {Kind::Box, "Tab Order", "Text2", &Text2},
          {Kind::Option, Option1.Caption(), "Option1", &Option1, [this] { Option1_Click(); }},
          {Kind::Option, Option2.Caption(), "Option2", &Option2, [this] { Option2_Click(); }},
          {Kind::Button, "Style", "Command1", nullptr, [this] { Command1_Click(); }},
          {Kind::Button, "OK", "Command2", nullptr, [this] { Command2_Click(); }},
          {Kind::Button, "Cancel", "Command3", nullptr, [this] { Command3_Click(); }}};
}

void CheckableDialog::Option1_Click() {
  chooseOption(Option1, {&Option1, &Option2});
}

void CheckableDialog::Option2_Click() {
  chooseOption(Option2, {&Option1, &Option2});
}

void CheckableDialog::Command1_Click() {
  host_.showStyleDialog();
}

// Two spaces follow the tab index whether the element is checked or not.
void CheckableDialog::Command2_Click() {
  FieldDraft& draft = host_.draft();
  const char* type = type_ == Type::CheckBox ? "checkbox" : "radio";
  const char* checked = Option1.Value() ? " checked " : " ";
  draft.fieldHtml = std::string("<input type='") + type + "' name='" + host_.elementName() +
                    "' value='" + Text1.Text() + "' tabindex='" + Text2.Text() + "' " + checked +
                    draft.fieldStyle + ">";
  close();
}

void CheckableDialog::Command3_Click() {
  close();
}

}  // namespace vendaro
