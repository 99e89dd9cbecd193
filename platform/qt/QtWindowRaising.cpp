#include "platform/qt/QtWindowRaising.h"

#include <QApplication>
#include <QWidget>

namespace vendaro {

void raiseTopLevelWindow(const std::string& objectName) {
  const QString name = QString::fromStdString(objectName);
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (window->objectName() != name) continue;
    if (window->isMinimized()) window->showNormal();
    window->raise();
    window->activateWindow();
  }
}

}  // namespace vendaro
