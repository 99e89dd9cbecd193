#include "platform/qt/QtButtonBinding.h"

#include "platform/qt/QtControlState.h"

namespace vendaro {

QtButtonBinding::QtButtonBinding(Label& caption, QAbstractButton& button)
    : QObject(&button), caption_(caption), button_(button) {
  connect(&button_, &QAbstractButton::clicked, this, [this] {
    if (onClick) onClick();
  });
  listener_ = caption_.addListener([this] { show(); });
  show();
}

QtButtonBinding::~QtButtonBinding() {
  caption_.removeListener(listener_);
}

void QtButtonBinding::show() {
  button_.setText(QString::fromStdString(caption_.Caption()));
  showControlState(caption_, button_);
}

}  // namespace vendaro
