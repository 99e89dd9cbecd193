#include "browse/BrowseListsView.h"

#include <QCursor>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>

#include "browse/Favorites.h"
#include "platform/qt/QtGeometry.h"
#include "platform/qt/QtGuard.h"
#include "platform/qt/QtPaneArea.h"

namespace vendaro {
namespace {

// Pops a menu model's entries up at the mouse position.
void popUpAtMouse(const MenuItem& menu, const std::function<void(int)>& chosen) {
  QMenu popup;
  popup.setObjectName(QString::fromStdString(menu.name()));
  for (int i = 0; i < menu.childCount(); ++i) {
    popup.addAction(QString::fromStdString(menu.child(i).Caption()))->setData(i);
  }
  QAction* picked = popup.exec(QCursor::pos());
  if (picked != nullptr) {
    const int index = picked->data().toInt();
    runGuarded([&] { chosen(index); });
  }
}

}  // namespace

void showBrowseViews(MainWindowOffers& offers, SavedLists& saved, CommandRegistry& commands) {
  offers.popupMenu = popUpAtMouse;
  if (QWidget* area = mainWindowClientArea()) new BrowseListsView(saved, commands, *area);
}

BrowseListsView::BrowseListsView(SavedLists& saved, CommandRegistry& commands, QWidget& parent)
    : QObject(&parent), commands_(commands) {
  setObjectName(QStringLiteral("browseLists"));
  addList(saved.favorit, QStringLiteral("favorit"));
  addList(saved.favorit2, QStringLiteral("favorit2"));
  addList(saved.domain, QStringLiteral("domain"));
  addList(saved.domain2, QStringLiteral("domain2"));
}

BrowseListsView::~BrowseListsView() {
  for (const auto& [control, id] : listeners_) control->removeListener(id);
}

void BrowseListsView::addList(ListControl& list, const QString& name) {
  auto* parent = qobject_cast<QWidget*>(this->parent());
  const std::string command = name.toStdString();
  QListWidget* widget = ui_.listBox(
      list, name, [] {}, [this, command] { commands_.run(command + "_DblClick"); }, parent);
  const QRect place = pixelRect(Favorites::kListPlace);
  widget->setGeometry(place);
  widget->viewport()->installEventFilter(this);
  viewports_.emplace_back(widget->viewport(), name);
  // The gestures are not the usual ones, so a line under the list tells them.
  auto* hint = new QLabel(QString::fromUtf8(Favorites::kListHint), parent);
  hint->setObjectName(name + QStringLiteral("Hint"));
  hint->setAutoFillBackground(true);
  hint->setWordWrap(true);
  hint->setFixedWidth(place.width());
  hint->move(place.left(), place.bottom() + 1);
  hint->adjustSize();
  auto show = [widget, hint, &list] {
    widget->setVisible(list.Visible());
    hint->setVisible(list.Visible());
    if (list.Visible()) {
      widget->raise();
      hint->raise();
    }
  };
  show();
  listeners_.emplace_back(&list, list.addListener(show));
}

bool BrowseListsView::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonPress &&
      static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
    for (const auto& [viewport, name] : viewports_) {
      if (viewport != watched) continue;
      const std::string command = name.toStdString() + "_RightButton";
      runGuarded([this, &command] { commands_.run(command); });
      // The right button does not change the selection.
      return true;
    }
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace vendaro
