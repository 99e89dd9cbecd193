#pragma once

#include "platform/controls/Control.h"

namespace vendaro {

// A progress bar: Value out of Max (Min is 0).
class ProgressBar : public Control {
 public:
  int Min() const { return 0; }
  int Max() const { return max_; }
  void setMax(int max);
  int Value() const { return value_; }
  void setValue(int value);

 private:
  int max_ = 100;
  int value_ = 0;
};

}  // namespace vendaro
