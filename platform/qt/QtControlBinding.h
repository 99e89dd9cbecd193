#pragma once

#include <QObject>
#include <functional>

#include "platform/controls/Control.h"

class QWidget;

namespace vendaro {

// The base of the bindings that keep a control model and its widget in step.
// The binding is a child of the widget and listens to the model while it
// lives; the model must outlive it. A subclass draws the model in `show` and
// passes the user's events to the model's handlers through `raise`.
class QtControlBinding : public QObject {
 public:
  QtControlBinding(Control& control, QWidget& widget);
  ~QtControlBinding() override;
  QtControlBinding(const QtControlBinding&) = delete;
  QtControlBinding& operator=(const QtControlBinding&) = delete;

 protected:
  // Draws the model now and after each of its changes; the subclass calls it
  // at the end of its constructor.
  void watch();
  virtual void show() = 0;
  // Runs a user-event handler; what it throws is reported, not passed to Qt.
  static void raise(const std::function<void()>& handler);

 private:
  Control& control_;
  Control::ListenerId listener_ = 0;
  bool watching_ = false;
};

}  // namespace vendaro
