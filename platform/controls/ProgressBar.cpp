#include "platform/controls/ProgressBar.h"

namespace vendaro {

void ProgressBar::setMax(int max) {
  if (max_ == max) return;
  max_ = max;
  notifyChanged();
}

void ProgressBar::setValue(int value) {
  if (value_ == value) return;
  value_ = value;
  notifyChanged();
}

}  // namespace vendaro
