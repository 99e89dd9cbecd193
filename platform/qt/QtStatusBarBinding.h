#pragma once

#include <QLabel>
#include <QWidget>
#include <vector>

#include "platform/controls/StatusBar.h"
#include "platform/qt/QtControlBinding.h"

namespace vendaro {

// Draws a status bar model as a row of sunken panels, named
// "{name}Panel1", "{name}Panel2", ... The first panel takes the room left
// over, or all panels share it equally.
class QtStatusBarBinding : public QtControlBinding {
  Q_OBJECT

 public:
  enum class Widths { FirstTakesRest, Equal };

  QtStatusBarBinding(StatusBar& bar, QWidget& row, Widths widths);

 private:
  void show() override;
  // Passes clicks and double clicks on a panel to the model.
  bool eventFilter(QObject* watched, QEvent* event) override;

  StatusBar& bar_;
  std::vector<QLabel*> panels_;
};

}  // namespace vendaro
