#pragma once

#include <string>

#include "platform/controls/Control.h"

namespace vendaro {

// A text box. `DataChanged` tells a record source that the box was edited
// since the record source last filled it (bound boxes only).
class TextBox : public Control {
 public:
  TextBox() = default;
  explicit TextBox(std::string text) : text_(std::move(text)) {}

  const std::string& Text() const { return text_; }
  void setText(const std::string& text);

  bool DataChanged() const { return dataChanged_; }
  void setDataChanged(bool changed) { dataChanged_ = changed; }

  bool Locked() const { return locked_; }
  void setLocked(bool locked);

 private:
  std::string text_;
  bool dataChanged_ = false;
  bool locked_ = false;
};

}  // namespace vendaro
