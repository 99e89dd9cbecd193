#pragma once

#include <QLabel>
#include <QObject>

#include "platform/Label.h"

namespace vendaro {

// Draws a label model (caption and state) on a QLabel. The binding is a
// child of the widget; the label must outlive it.
class QtLabelBinding : public QObject {
  Q_OBJECT

 public:
  QtLabelBinding(Label& label, QLabel& widget);
  ~QtLabelBinding() override;

 private:
  void show();

  Label& label_;
  QLabel& widget_;
  Control::ListenerId listener_;
};

}  // namespace vendaro
