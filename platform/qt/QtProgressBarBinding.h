#pragma once

#include <QProgressBar>

#include "platform/controls/ProgressBar.h"
#include "platform/qt/QtControlBinding.h"

namespace vendaro {

// Draws a progress bar model on a QProgressBar. The binding is a child of
// the widget; the model must outlive it.
class QtProgressBarBinding : public QtControlBinding {
  Q_OBJECT

 public:
  QtProgressBarBinding(ProgressBar& bar, QProgressBar& widget);

 private:
  void show() override;

  ProgressBar& bar_;
  QProgressBar& widget_;
};

}  // namespace vendaro
