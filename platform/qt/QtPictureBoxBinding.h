#pragma once

#include <QLabel>
#include <functional>

#include "platform/controls/PictureBox.h"
#include "platform/qt/QtControlBinding.h"

namespace vendaro {

// Draws a picture box model on a QLabel: the bitmap file it names (a file
// that cannot be read keeps the picture shown) and its visibility. Passes
// the pointer's moves, presses and releases on, and a click (a left press
// and release on the label).
class QtPictureBoxBinding : public QtControlBinding {
  Q_OBJECT

 public:
  QtPictureBoxBinding(PictureBox& picture, QLabel& label);

  std::function<void()> onMouseMove;
  std::function<void(MouseButton)> onMouseDown;
  std::function<void(MouseButton)> onMouseUp;
  std::function<void()> onClick;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void show() override;

  PictureBox& picture_;
  QLabel& label_;
  QString shownFile_;
  bool leftPressed_ = false;
};

}  // namespace vendaro
