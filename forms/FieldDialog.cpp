#include "forms/FieldDialog.h"

namespace vendaro {

void chooseOption(OptionButton& chosen, const std::vector<OptionButton*>& group) {
  for (OptionButton* option : group) option->setValue(option == &chosen);
}

}  // namespace vendaro
