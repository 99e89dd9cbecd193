#pragma once

#include <functional>
#include <map>
#include <vector>

#include "platform/qt/QtToolWindow.h"
#include "store/Wizard1.h"

class QCheckBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
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
  void addOrderIntake(MailboxIntake& intake, QGridLayout& layout, QWidget* parent);
  QWidget* makeStatusBar();

  QLineEdit* lineEdit(TextBox& box, const QString& name, QWidget* parent);
  QPlainTextEdit* textEdit(TextBox& box, const QString& name, QWidget* parent);
  QPushButton* button(const char* caption, const char* name, std::function<void()> click,
                      QWidget* parent);
  QListWidget* listBox(ListControl& list, const char* name, std::function<void()> click,
                       std::function<void()> doubleClick, QWidget* parent);
  QRadioButton* optionButton(OptionButton& option, const char* name, std::function<void()> click,
                             QWidget* parent);
  QCheckBox* checkBox(CheckBox& box, const char* name, QWidget* parent);
  void focusControl(const Control& control);
  void tabChanged(int index);
  void showStatusPanels();

  Wizard1& wizard_;
  QTabWidget* tabs_;
  int currentTab_ = 0;
  std::map<const Control*, QWidget*> widgets_;
  std::vector<QLabel*> statusPanels_;
  Control::ListenerId statusListener_ = 0;
  Control::ListenerId captionListener_ = 0;
};

}  // namespace vendaro
