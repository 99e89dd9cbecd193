#include "platform/qt/QtLabelBinding.h"

#include "platform/qt/QtControlState.h"

namespace vendaro {

QtLabelBinding::QtLabelBinding(Label& label, QLabel& widget)
    : QtControlBinding(label, widget), label_(label), widget_(widget) {
  watch();
}

void QtLabelBinding::show() {
  widget_.setText(QString::fromStdString(label_.Caption()));
  showControlState(label_, widget_);
}

}  // namespace vendaro
