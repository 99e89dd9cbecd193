#pragma once

#include <string>

#include "platform/controls/Control.h"

namespace vendaro {

// A check box: Value 0 (unchecked), 1 (checked) or 2 (grayed).
class CheckBox : public Control {
 public:
  CheckBox() = default;
  explicit CheckBox(std::string caption) : caption_(std::move(caption)) {}

  int Value() const { return value_; }
  void setValue(int value);
  bool checked() const { return value_ == 1; }

  const std::string& Caption() const { return caption_; }
  void setCaption(const std::string& caption);

 private:
  int value_ = 0;
  std::string caption_;
};

}  // namespace vendaro
