#include "platform/controls/Label.h"

namespace vendaro {

void Label::setCaption(const std::string& caption) {
  if (caption_ == caption) return;
  caption_ = caption;
  notifyChanged();
}

}  // namespace vendaro
