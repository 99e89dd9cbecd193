#pragma once

#include <QLabel>
#include <QMainWindow>
#include <QStackedWidget>
#include <functional>
#include <utility>
#include <vector>

#include "app/Form1.h"

class QCloseEvent;

namespace vendaro {

// The main window on screen: address bar, keyword bar, the two browser panes
// in one place (the visible one is shown) and the status bar. It shows the
// controls of its Form1 and forwards the user's events to Form1's handlers.
// The model must outlive the view.
class Form1View : public QMainWindow {
  Q_OBJECT

 public:
  static constexpr int kInitialWidth = 800;
  static constexpr int kInitialHeight = 600;

  // `webBrowser1` and `webBrowser5` are the widgets of the model's two panes;
  // the window takes them into its layout.
  Form1View(Form1& form, QWidget* webBrowser1, QWidget* webBrowser5);
  ~Form1View() override;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  QWidget* makeBars();
  void makeStatusBar();
  void watch(Control& control, std::function<void()> show);
  void showCaption();
  void showVisiblePane();
  void showStatusPanels();

  Form1& form_;
  QStackedWidget* panes_;
  QWidget* webBrowser1_;
  QWidget* webBrowser5_;
  QLabel* label1_ = nullptr;
  std::vector<QLabel*> statusPanels_;
  std::vector<std::pair<Control*, Control::ListenerId>> listeners_;
  bool unloaded_ = false;
};

}  // namespace vendaro
