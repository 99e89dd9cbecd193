#pragma once

#include <string>
#include <utility>
#include <vector>

#include "platform/CommandRegistry.h"
#include "platform/controls/ListControl.h"
#include "platform/qt/QtToolWindow.h"
#include "platform/qt/QtViewBuilder.h"

namespace vendaro {

// What one research list window shows and which commands it runs.
struct ResearchListLayout {
  QString title;
  QString name;
  std::string doubleClickCommand;
  // Caption and command of each button, below the list.
  std::vector<std::pair<QString, std::string>> buttons;
  // Run when the window is closed, to hide the list.
  std::string closeCommand;
  // Run when the right button is pressed on the list; empty: none.
  std::string rightButtonCommand = {};
};

// A list of the research (the links list or the report list) on screen with
// its buttons. The list and the commands must outlive the view.
class ResearchListView : public QtToolWindow {
  Q_OBJECT
 public:
  ResearchListView(ListControl& list, CommandRegistry& commands, ResearchListLayout layout);

 protected:
  void windowClosing() override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  CommandRegistry& commands_;
  std::string closeCommand_;
  std::string rightButtonCommand_;
  QWidget* viewport_ = nullptr;
  QtViewBuilder ui_;
};

}  // namespace vendaro
