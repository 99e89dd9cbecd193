#include "forms/TextAreaDialog.h"

namespace vendaro {

std::vector<DialogElement> text_area::elements() {
  using Kind = DialogElement::Kind;
  return {{Kind::Box, "Rows :", "Text1_0", &Text1[0]},
          {Kind::Box, "Columns :", "Text1_1", &Text1[1]},
          {Kind::Box, "Tab Index :", "Text1_2", &Text1[2]},
          {Kind::Button, "OK", "Command1", nullptr, [this] { Command1_Click(); }},
          {Kind::Button, "Cancel", "Command2", nullptr, [this] { Command2_Click(); }},
          {Kind::Button, "Style", "Command3", nullptr, [this] { Command3_Click(); }}};
}

void text_area::Command1_Click() {
  FieldDraft& draft = host_.draft();
  draft.fieldHtml = "<textarea rows='" + Text1[0].Text() + "' name='" + host_.elementName() +
                    "' cols='" + Text1[1].Text() + "' tabindex='" + Text1[2].Text() + "' " +
                    draft.fieldStyle + "></textarea>";
  close();
}

void text_area::Command2_Click() {
  close();
}

void text_area::Command3_Click() {
  host_.showStyleDialog();
}

}  // namespace vendaro
