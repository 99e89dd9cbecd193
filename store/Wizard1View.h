#pragma once

#include "platform/qt/QtToolWindow.h"
#include "platform/qt/QtViewBuilder.h"
#include "store/Wizard1.h"

class QGridLayout;
class QTabWidget;

namespace vendaro {

// The store wizard on screen: the tabs "Web Style", "Project", "Settings",
// "Layout" and "E-Mail DB" with the wizard's controls, and its status bar.
// It draws the controls through bindings and forwards the user's clicks, tab
// changes and choices to the wizard's handlers. The model must outlive the view.
class Wizard1View : public QtToolWindow {
  Q_OBJECT

 public:
  static constexpr int kInitialWidth = 760;
  static constexpr int kInitialHeight = 560;

  explicit Wizard1View(Wizard1& wizard);
  ~Wizard1View() override;

 private:
  QWidget* makeWebStyleTab();
  QWidget* makeProjectTab();
  QWidget* makeSettingsTab();
  QWidget* makeLayoutTab();
  QWidget* makeMailTab();
  void addProductBoxes(QGridLayout& layout, QWidget* parent);
  void addMailboxIntake(MailboxIntake& intake, QGridLayout& layout, QWidget* parent);
  void focusControl(const Control& control);
  void tabChanged(int index);

  Wizard1& wizard_;
  QTabWidget* tabs_;
  int currentTab_ = 0;
  QtViewBuilder ui_;
  Control::ListenerId captionListener_ = 0;
};

}  // namespace vendaro
