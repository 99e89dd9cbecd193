#include "platform/controls/TextBox.h"

namespace vendaro {

void TextBox::setText(const std::string& text) {
  if (text_ == text) return;
  text_ = text;
  dataChanged_ = true;
  notifyChanged();
}

void TextBox::setLocked(bool locked) {
  if (locked_ == locked) return;
  locked_ = locked;
  notifyChanged();
}

}  // namespace vendaro
