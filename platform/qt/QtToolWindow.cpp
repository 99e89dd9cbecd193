#include "platform/qt/QtToolWindow.h"

#include <QCloseEvent>

#include "platform/qt/QtGuard.h"

namespace vendaro {

void QtToolWindow::closeEvent(QCloseEvent* event) {
  if (!closed_) {
    bool allowed = true;
    runGuarded([this, &allowed] { allowed = mayClose(); });
    if (!allowed) {
      event->ignore();
      return;
    }
    closed_ = true;
    runGuarded([this] { windowClosing(); });
    runGuarded(onClosed);
  }
  event->accept();
}

}  // namespace vendaro
