#include "platform/qt/QtButtonBinding.h"

#include "platform/qt/QtControlState.h"

namespace vendaro {

QtButtonBinding::QtButtonBinding(Label& caption, QAbstractButton& button)
    : QtControlBinding(caption, button), caption_(caption), button_(button) {
  connect(&button_, &QAbstractButton::clicked, this, [this] { raise(onClick); });
  watch();
}

void QtButtonBinding::show() {
  button_.setText(QString::fromStdString(caption_.Caption()));
  showControlState(caption_, button_);
}

}  // namespace vendaro
