#include "platform/controls/OptionButton.h"

namespace vendaro {

void OptionButton::setValue(bool value) {
  if (value_ == value) return;
  value_ = value;
  notifyChanged();
}

void OptionButton::setCaption(const std::string& caption) {
  if (caption_ == caption) return;
  caption_ = caption;
  notifyChanged();
}

}  // namespace vendaro
