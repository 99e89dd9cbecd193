#pragma once

#include <QLabel>

#include "platform/controls/Label.h"
#include "platform/qt/QtControlBinding.h"

namespace vendaro {

// Draws a label model (caption and state) on a QLabel. The binding is a
// child of the widget; the label must outlive it.
class QtLabelBinding : public QtControlBinding {
  Q_OBJECT

 public:
  QtLabelBinding(Label& label, QLabel& widget);

 private:
  void show() override;

  Label& label_;
  QLabel& widget_;
};

}  // namespace vendaro
