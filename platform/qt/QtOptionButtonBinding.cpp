#include "platform/qt/QtOptionButtonBinding.h"

#include <QSignalBlocker>

#include "platform/qt/QtControlState.h"

namespace vendaro {

QtOptionButtonBinding::QtOptionButtonBinding(OptionButton& option, QRadioButton& widget)
    : QtControlBinding(option, widget), option_(option), widget_(widget) {
  widget_.setAutoExclusive(false);
  connect(&widget_, &QRadioButton::clicked, this, &QtOptionButtonBinding::takeClick);
  watch();
}

void QtOptionButtonBinding::show() {
  const QSignalBlocker blocker(&widget_);
  widget_.setText(QString::fromStdString(option_.Caption()));
  widget_.setChecked(option_.Value());
  showControlState(option_, widget_);
}

void QtOptionButtonBinding::takeClick() {
  if (onClick) {
    raise(onClick);
  } else {
    option_.setValue(true);
  }
  // Qt toggled the button by itself; the model's value is what counts.
  show();
}

}  // namespace vendaro
