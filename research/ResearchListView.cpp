#include "research/ResearchListView.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/qt/QtGuard.h"
#include "platform/qt/QtPaneArea.h"

namespace vendaro {
namespace {

// Left edge of the client area, 1200 twips down: below the toolbar and the
// bars, over the browser pane, where the main window's lists are shown.
constexpr Geometry kResearchListPlace{0, 1200, 0, 0};

}  // namespace

ResearchListView::ResearchListView(ListControl& list, CommandRegistry& commands,
                                   ResearchListLayout layout)
    : commands_(commands),
      closeCommand_(std::move(layout.closeCommand)),
      rightButtonCommand_(std::move(layout.rightButtonCommand)) {
  setObjectName(layout.name + QStringLiteral("Window"));
  setWindowTitle(layout.title);
  auto* column = new QVBoxLayout(this);
  const std::string doubleClick = layout.doubleClickCommand;
  QListWidget* listBox = ui_.listBox(
      list, layout.name, [] {}, [this, doubleClick] { commands_.run(doubleClick); }, this);
  column->addWidget(listBox);
  viewport_ = listBox->viewport();
  viewport_->installEventFilter(this);
  auto* row = new QHBoxLayout;
  for (const auto& [caption, command] : layout.buttons) {
    const std::string name = command;
    row->addWidget(ui_.button(
        caption, QString::fromStdString(name), [this, name] { commands_.run(name); }, this));
  }
  column->addLayout(row);
  resize(420, 360);
  // Where the main window's lists appear, over its browser pane.
  placeOverBrowserPane(*this, kResearchListPlace);
}

void ResearchListView::windowClosing() {
  commands_.run(closeCommand_);
}

// The right button runs the list's command and leaves the selection as it is.
bool ResearchListView::eventFilter(QObject* watched, QEvent* event) {
  if (watched == viewport_ && !rightButtonCommand_.empty() &&
      event->type() == QEvent::MouseButtonPress &&
      static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
    runGuarded([this] { commands_.run(rightButtonCommand_); });
    return true;
  }
  return QtToolWindow::eventFilter(watched, event);
}

}  // namespace vendaro
