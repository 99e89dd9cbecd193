#pragma once

#include <QAbstractButton>
#include <QObject>
#include <functional>

#include "platform/Label.h"

namespace vendaro {

// Draws a command button whose model is a caption (a Label: caption, enabled,
// visible) and raises onClick when the user presses it. The binding is a
// child of the button; the model must outlive it.
class QtButtonBinding : public QObject {
  Q_OBJECT

 public:
  QtButtonBinding(Label& caption, QAbstractButton& button);
  ~QtButtonBinding() override;

  std::function<void()> onClick;

 private:
  void show();

  Label& caption_;
  QAbstractButton& button_;
  Control::ListenerId listener_;
};

}  // namespace vendaro
