#include "platform/controls/CheckBox.h"

#include <stdexcept>

namespace vendaro {

void CheckBox::setValue(int value) {
  if (value < 0 || value > 2) throw std::out_of_range("Invalid property value");
  if (value_ == value) return;
  value_ = value;
  notifyChanged();
}

void CheckBox::setCaption(const std::string& caption) {
  if (caption_ == caption) return;
  caption_ = caption;
  notifyChanged();
}

}  // namespace vendaro
