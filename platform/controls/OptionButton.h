#pragma once

#include <string>

#include "platform/controls/Control.h"

namespace vendaro {

// An option (radio) button. Grouping is the window model's business: it
// clears the other buttons of a group when one is chosen.
class OptionButton : public Control {
 public:
  OptionButton() = default;
  explicit OptionButton(std::string caption) : caption_(std::move(caption)) {}

  bool Value() const { return value_; }
  void setValue(bool value);

  const std::string& Caption() const { return caption_; }
  void setCaption(const std::string& caption);

 private:
  bool value_ = false;
  std::string caption_;
};

}  // namespace vendaro
