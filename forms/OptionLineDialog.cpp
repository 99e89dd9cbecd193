#include "forms/OptionLineDialog.h"

namespace vendaro {

Form3::Form3(std::function<void(const std::string& line)> addLine)
    : FieldDialog("Form3", "Choise"), addLine_(std::move(addLine)) {
  Option2.setValue(true);
}

std::vector<DialogElement> Form3::elements() {
  using Kind = DialogElement::Kind;
  return {{Kind::Box, "Choise", "Text1", &Text1},
          {Kind::Box, "Value", "Text2", &Text2},
          {Kind::Option, Option1.Caption(), "Option1", &Option1, [this] { Option1_Click(); }},
          {Kind::Option, Option2.Caption(), "Option2", &Option2, [this] { Option2_Click(); }},
          {Kind::Button, "OK", "Command1", nullptr, [this] { Command1_Click(); }},
          {Kind::Button, "Cancel", "Command2", nullptr, [this] { Command2_Click(); }}};
}

void Form3::Option1_Click() {
  chooseOption(Option1, {&Option1, &Option2});
}

void Form3::Option2_Click() {
  chooseOption(Option2, {&Option1, &Option2});
}

void Form3::Command1_Click() {
  const char* start = Option1.Value() ? "<option selected value='" : "<option value='";
  addLine_(start + Text2.Text() + "'>" + Text1.Text() + "</option>\r\n");
  close();
}

void Form3::Command2_Click() {
  close();
}

}  // namespace vendaro
