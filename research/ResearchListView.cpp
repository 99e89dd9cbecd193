#include "research/ResearchListView.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace vendaro {

ResearchListView::ResearchListView(ListControl& list, CommandRegistry& commands,
                                   ResearchListLayout layout)
    : commands_(commands), closeCommand_(std::move(layout.closeCommand)) {
  setObjectName(layout.name + QStringLiteral("Window"));
  setWindowTitle(layout.title);
  auto* column = new QVBoxLayout(this);
  const std::string doubleClick = layout.doubleClickCommand;
  column->addWidget(ui_.listBox(
      list, layout.name, [] {}, [this, doubleClick] { commands_.run(doubleClick); }, this));
  auto* row = new QHBoxLayout;
  for (const auto& [caption, command] : layout.buttons) {
    const std::string name = command;
    row->addWidget(ui_.button(
        caption, QString::fromStdString(name), [this, name] { commands_.run(name); }, this));
  }
  column->addLayout(row);
  resize(420, 360);
}

void ResearchListView::windowClosing() {
  commands_.run(closeCommand_);
}

}  // namespace vendaro
