#include "forms/TextInputDialog.h"

namespace vendaro {

std::vector<DialogElement> text_set::elements() {
  using Kind = DialogElement::Kind;
  return {{Kind::Box, "Size :", "Text1", &Text1},
          {Kind::Box, "Value :", "Text2", &Text2},
          {Kind::Box, "Tab Index :", "Text3", &Text3},
          {Kind::Button, "Style", "Command1", nullptr, [this] { Command1_Click(); }},
          {Kind::Button, "OK", "Command2", nullptr, [this] { Command2_Click(); }},
          {Kind::Button, "Cancel", "Command3", nullptr, [this] { Command3_Click(); }}};
}

void text_set::Command1_Click() {
  host_.showStyleDialog();
}

void text_set::Command2_Click() {
  FieldDraft& draft = host_.draft();
  draft.fieldHtml = "<input type='text' name='" + host_.elementName() + "' size='" + Text1.Text() +
                    "' value='" + Text2.Text() + "' tabindex='" + Text3.Text() + "' " +
                    draft.fieldStyle + ">";
  close();
}

void text_set::Command3_Click() {
  close();
}

}  // namespace vendaro
