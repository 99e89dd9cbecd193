#include "platform/qt/QtProgressBarBinding.h"

#include <algorithm>

#include "platform/qt/QtControlState.h"

namespace vendaro {

QtProgressBarBinding::QtProgressBarBinding(ProgressBar& bar, QProgressBar& widget)
    : QtControlBinding(bar, widget), bar_(bar), widget_(widget) {
  watch();
}

void QtProgressBarBinding::show() {
  widget_.setRange(0, std::max(bar_.Max(), 0));
  widget_.setValue(std::clamp(bar_.Value(), 0, std::max(bar_.Max(), 0)));
  showControlState(bar_, widget_);
}

}  // namespace vendaro
