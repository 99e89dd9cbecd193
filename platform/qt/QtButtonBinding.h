#pragma once

#include <QAbstractButton>
#include <functional>

#include "platform/controls/Label.h"
#include "platform/qt/QtControlBinding.h"

namespace vendaro {

// Draws a command button whose model is a caption (a Label: caption, enabled,
// visible) and raises onClick when the user presses it. The binding is a
// child of the button; the model must outlive it.
class QtButtonBinding : public QtControlBinding {
  Q_OBJECT

 public:
  QtButtonBinding(Label& caption, QAbstractButton& button);

  std::function<void()> onClick;

 private:
  void show() override;

  Label& caption_;
  QAbstractButton& button_;
};

}  // namespace vendaro
