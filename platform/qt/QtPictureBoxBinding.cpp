#include "platform/qt/QtPictureBoxBinding.h"

#include <QMouseEvent>
#include <QPixmap>

#include "platform/qt/QtControlState.h"

namespace vendaro {
namespace {

MouseButton modelButton(Qt::MouseButton button) {
  if (button == Qt::LeftButton) return MouseButton::Left;
  if (button == Qt::RightButton) return MouseButton::Right;
  return MouseButton::Middle;
}

}  // namespace

QtPictureBoxBinding::QtPictureBoxBinding(PictureBox& picture, QLabel& label)
    : QtControlBinding(picture, label), picture_(picture), label_(label) {
  label_.setMouseTracking(true);
  label_.installEventFilter(this);
  watch();
}

void QtPictureBoxBinding::show() {
  const QString file = QString::fromStdString(picture_.Picture());
  if (file != shownFile_) {
    QPixmap pixmap;
    if (!file.isEmpty() && pixmap.load(file)) {
      label_.setPixmap(pixmap);
      shownFile_ = file;
    }
  }
  showControlState(picture_, label_);
}

bool QtPictureBoxBinding::eventFilter(QObject* watched, QEvent* event) {
  if (watched != &label_) return QObject::eventFilter(watched, event);
  switch (event->type()) {
    case QEvent::MouseMove:
      // Taken here: passed on, it would reach the window as a move over the background.
      if (onMouseMove) raise(onMouseMove);
      return true;
    case QEvent::MouseButtonPress: {
      const auto* mouse = static_cast<QMouseEvent*>(event);
      leftPressed_ = mouse->button() == Qt::LeftButton;
      const MouseButton button = modelButton(mouse->button());
      if (onMouseDown) raise([this, button] { onMouseDown(button); });
      return true;
    }
    case QEvent::MouseButtonRelease: {
      const auto* mouse = static_cast<QMouseEvent*>(event);
      const MouseButton button = modelButton(mouse->button());
      const bool click = leftPressed_ && mouse->button() == Qt::LeftButton &&
                         label_.rect().contains(mouse->position().toPoint());
      leftPressed_ = false;
      if (onMouseUp) raise([this, button] { onMouseUp(button); });
      if (click && onClick) raise(onClick);
      return true;
    }
    default:
      break;
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace vendaro
