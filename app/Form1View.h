#pragma once

#include <QLabel>
#include <QMainWindow>
#include <QStackedWidget>
#include <functional>
#include <utility>
#include <vector>

#include "app/Form1.h"
#include "app/MainMenu.h"
#include "platform/qt/QtViewBuilder.h"

class QCloseEvent;
class QMenu;

namespace vendaro {

// The main window on screen: menu bar, address bar, keyword bar, the two
// browser panes in one place (the visible one is shown) and the status bar.
// It shows the controls of its Form1, places them where the model's layout
// says (twips, 15 to a pixel) and forwards the user's events and size changes
// to Form1's handlers. The model and the menu must outlive the view.
class Form1View : public QMainWindow {
  Q_OBJECT

 public:
  static constexpr int kInitialWidth = 800;
  static constexpr int kInitialHeight = 600;

  // `webBrowser1` and `webBrowser5` are the widgets of the model's two panes;
  // the window takes them into its layout.
  Form1View(Form1& form, MainMenu& menu, QWidget* webBrowser1, QWidget* webBrowser5);
  ~Form1View() override;

  // Puts the window where the model's saved state says (after Form_Load).
  void restoreWindowState();
  // Draws the menu bar; called once the subsystems have declared their
  // entries (they register after the window exists: their views are its
  // children).
  void makeMenuBar();

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void addMenuEntries(QMenu& menu, const MenuItem& item);
  void makeToolbar(QWidget* central);
  void makeShortcuts();
  void makeBars(QWidget* central);
  void fitToClientArea();
  void makeStatusBar();
  void watch(Control& control, std::function<void()> show);
  void showCaption();
  void showVisiblePane();

  Form1& form_;
  MainMenu& menu_;
  QWidget* central_ = nullptr;
  QStackedWidget* panes_;
  QWidget* toolbarStrip_ = nullptr;
  QWidget* combo2_ = nullptr;
  QWidget* combo1_ = nullptr;
  QWidget* webBrowser1_;
  QWidget* webBrowser5_;
  QLabel* label1_ = nullptr;
  QtViewBuilder ui_;
  std::vector<std::pair<Control*, Control::ListenerId>> listeners_;
  bool unloaded_ = false;
};

}  // namespace vendaro
