#pragma once

#include "platform/Control.h"

namespace vendaro {

// A progress bar: Value from Min to Max.
class ProgressBar : public Control {
 public:
  int Min() const { return 0; }
  int Max() const { return max_; }
  int Value() const { return value_; }
  void setValue(int value) {
    if (value == value_) return;
    value_ = value;
    notifyChanged();
  }

 private:
  int max_ = 100;
  int value_ = 0;
};

}  // namespace vendaro
