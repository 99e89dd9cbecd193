#include "platform/qt/QtLabelBinding.h"

#include "platform/qt/QtControlState.h"

namespace vendaro {

QtLabelBinding::QtLabelBinding(Label& label, QLabel& widget)
    : QObject(&widget), label_(label), widget_(widget) {
  listener_ = label_.addListener([this] { show(); });
  show();
}

QtLabelBinding::~QtLabelBinding() {
  label_.removeListener(listener_);
}

void QtLabelBinding::show() {
  widget_.setText(QString::fromStdString(label_.Caption()));
  showControlState(label_, widget_);
}

}  // namespace vendaro
