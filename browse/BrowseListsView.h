#pragma once

#include <QObject>
#include <utility>
#include <vector>

#include "common/ports/MainWindowOffers.h"
#include "common/ports/SavedLists.h"
#include "platform/CommandRegistry.h"
#include "platform/qt/QtViewBuilder.h"

class QListWidget;

namespace vendaro {

// Puts the browsing features on screen: pop-up menus at the mouse position
// and the lists over the main window's browser panes.
void showBrowseViews(MainWindowOffers& offers, SavedLists& saved, CommandRegistry& commands);

// The favorites and history lists over the browser pane, each shown while
// its model is visible. The right button runs the list's "_RightButton"
// command and a double-click its "_DblClick" command. A child of the widget
// holding the panes; the controls must outlive it.
class BrowseListsView : public QObject {
  Q_OBJECT

 public:
  BrowseListsView(SavedLists& saved, CommandRegistry& commands, QWidget& parent);
  ~BrowseListsView() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void addList(ListControl& list, const QString& name);

  CommandRegistry& commands_;
  QtViewBuilder ui_;
  std::vector<std::pair<QObject*, QString>> viewports_;
  std::vector<std::pair<Control*, Control::ListenerId>> listeners_;
};

}  // namespace vendaro
