#pragma once

#include <string>

#include "platform/controls/Control.h"

namespace vendaro {

enum class MouseButton { Left, Right, Middle };

// A picture box showing a bitmap file; an empty path shows nothing.
class PictureBox : public Control {
 public:
  const std::string& Picture() const { return picture_; }
  void setPicture(const std::string& path);

 private:
  std::string picture_;
};

}  // namespace vendaro
