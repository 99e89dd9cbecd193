#pragma once

#include <QRadioButton>
#include <functional>

#include "platform/controls/OptionButton.h"
#include "platform/qt/QtControlBinding.h"

namespace vendaro {

// Keeps a QRadioButton and an option button model in step. The window model
// groups its option buttons, so Qt's own exclusive grouping is off: a click
// by the user raises onClick (whose handler chooses the button and clears the
// others), or without a handler chooses the button. The binding is a child of
// the widget; the model must outlive it.
class QtOptionButtonBinding : public QtControlBinding {
  Q_OBJECT

 public:
  QtOptionButtonBinding(OptionButton& option, QRadioButton& widget);

  std::function<void()> onClick;

 private:
  void show() override;
  void takeClick();

  OptionButton& option_;
  QRadioButton& widget_;
};

}  // namespace vendaro
