#pragma once

#include <string>

namespace vendaro {

// The values the field dialogs hand to the form creator: the element built
// by the last confirmed field dialog and the style attribute of the last
// confirmed style dialog. Both start empty and are only ever replaced.
struct FieldDraft {
  std::string fieldHtml;
  std::string fieldStyle;
};

}  // namespace vendaro
