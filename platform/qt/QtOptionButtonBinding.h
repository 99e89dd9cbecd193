#pragma once

#include <QObject>
#include <QRadioButton>
#include <functional>

#include "platform/OptionButton.h"

namespace vendaro {

// Keeps a QRadioButton and an option button model in step. The window model
// groups its option buttons, so Qt's own exclusive grouping is off: a click
// by the user raises onClick (whose handler chooses the button and clears the
// others), or without a handler chooses the button. The binding is a child of
// the widget; the model must outlive it.
class QtOptionButtonBinding : public QObject {
  Q_OBJECT

 public:
  QtOptionButtonBinding(OptionButton& option, QRadioButton& widget);
  ~QtOptionButtonBinding() override;

  std::function<void()> onClick;

 private:
  void show();
  void takeClick();

  OptionButton& option_;
  QRadioButton& widget_;
  Control::ListenerId listener_;
};

}  // namespace vendaro
