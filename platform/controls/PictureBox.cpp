#include "platform/controls/PictureBox.h"

namespace vendaro {

void PictureBox::setPicture(const std::string& path) {
  if (picture_ == path) return;
  picture_ = path;
  notifyChanged();
}

}  // namespace vendaro
