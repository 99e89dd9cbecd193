#pragma once

#include <QPointer>
#include <vector>

#include "editor/MainForm.h"
#include "platform/qt/QtToolWindow.h"
#include "platform/qt/QtViewBuilder.h"

class QMenu;
class QStackedWidget;
class QToolBar;

namespace vendaro {

// The web editor window on screen: the menu bar, the toolbar with the font
// boxes, the editing surface's widget (or the source box while the source
// view is shown) and the status panel. Menus are drawn from the model each
// time they open. The model and the surface's widget must outlive the view.
class MainFormView : public QtToolWindow {
  Q_OBJECT

 public:
  MainFormView(MainForm& form, QWidget& surface);
  ~MainFormView() override;

 private:
  QToolBar* makeToolbar();
  QMenu* makeMenu(MenuItem& menu);
  void drawMenu(QMenu& drawn, MenuItem& menu);
  void showToolbarButton(QAction& action, const MenuItem& button);
  void watch(Control& control, std::function<void()> show);
  bool mayClose() override { return form_.QueryUnload(); }

  MainForm& form_;
  QtViewBuilder ui_;
  QStackedWidget* pages_ = nullptr;
  std::vector<std::pair<Control*, Control::ListenerId>> listeners_;
};

}  // namespace vendaro
