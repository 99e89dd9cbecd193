#include "platform/qt/QtControlBinding.h"

#include <QWidget>

#include "platform/qt/QtGuard.h"

namespace vendaro {

QtControlBinding::QtControlBinding(Control& control, QWidget& widget)
    : QObject(&widget), control_(control) {}

QtControlBinding::~QtControlBinding() {
  if (watching_) control_.removeListener(listener_);
}

void QtControlBinding::watch() {
  listener_ = control_.addListener([this] { show(); });
  watching_ = true;
  show();
}

void QtControlBinding::raise(const std::function<void()>& handler) {
  runGuarded(handler);
}

}  // namespace vendaro
