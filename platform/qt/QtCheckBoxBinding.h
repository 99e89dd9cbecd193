#pragma once

#include <QCheckBox>
#include <functional>

#include "platform/controls/CheckBox.h"
#include "platform/qt/QtControlBinding.h"

namespace vendaro {

// Keeps a QCheckBox and a check box model in step: caption, value (0, 1, or
// 2 for grayed) and state are drawn; a click by the user stores the new value
// in the model, then raises onClick. The binding is a child of the widget;
// the model must outlive it.
class QtCheckBoxBinding : public QtControlBinding {
  Q_OBJECT

 public:
  QtCheckBoxBinding(CheckBox& box, QCheckBox& widget);

  std::function<void()> onClick;

 private:
  void show() override;
  void takeClick(bool checked);

  CheckBox& box_;
  QCheckBox& widget_;
};

}  // namespace vendaro
