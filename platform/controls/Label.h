#pragma once

#include <string>

#include "platform/controls/Control.h"

namespace vendaro {

class Label : public Control {
 public:
  Label() = default;
  explicit Label(std::string caption) : caption_(std::move(caption)) {}

  const std::string& Caption() const { return caption_; }
  void setCaption(const std::string& caption);

 private:
  std::string caption_;
};

}  // namespace vendaro
