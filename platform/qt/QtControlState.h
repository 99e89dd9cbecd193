#pragma once

#include <QWidget>

#include "platform/controls/Control.h"

namespace vendaro {

// Shows a control model's enabled state and visibility on its widget. A
// widget shown by the model appears when its window does.
inline void showControlState(const Control& control, QWidget& widget) {
  widget.setEnabled(control.Enabled());
  if (widget.isHidden() == control.Visible()) widget.setVisible(control.Visible());
}

}  // namespace vendaro
