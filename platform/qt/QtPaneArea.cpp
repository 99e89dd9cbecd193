#include "platform/qt/QtPaneArea.h"

#include <QApplication>
#include <QStackedWidget>
#include <QWidget>

#include "platform/qt/QtGeometry.h"

namespace vendaro {

QWidget* mainWindowClientArea() {
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (window->objectName() != QStringLiteral("form1")) continue;
    if (auto* panes = window->findChild<QStackedWidget*>(QStringLiteral("browserPanes"))) {
      return panes->parentWidget();
    }
  }
  return nullptr;
}

void placeOverBrowserPane(QWidget& window, const Geometry& place) {
  const QWidget* area = mainWindowClientArea();
  if (area == nullptr) return;
  window.move(area->mapToGlobal(pixelRect(place).topLeft()));
}

}  // namespace vendaro
