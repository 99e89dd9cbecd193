#include "platform/qt/QtStatusBarBinding.h"

#include <QEvent>
#include <QHBoxLayout>
#include <algorithm>

namespace vendaro {
namespace {

constexpr int kPanelMinimumWidth = 80;

}  // namespace

QtStatusBarBinding::QtStatusBarBinding(StatusBar& bar, QWidget& row, Widths widths)
    : QtControlBinding(bar, row), bar_(bar) {
  auto* layout = new QHBoxLayout(&row);
  layout->setContentsMargins(0, 0, 0, 0);
  for (int panel = 1; panel <= bar_.panelCount(); ++panel) {
    auto* label = new QLabel(&row);
    label->setObjectName(row.objectName() + QStringLiteral("Panel%1").arg(panel));
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    const bool stretches = widths == Widths::Equal || panel == 1;
    if (!stretches) label->setMinimumWidth(kPanelMinimumWidth);
    layout->addWidget(label, stretches ? 1 : 0);
    panels_.push_back(label);
    label->installEventFilter(this);
  }
  watch();
}

void QtStatusBarBinding::show() {
  for (std::size_t i = 0; i < panels_.size(); ++i) {
    panels_[i]->setText(QString::fromStdString(bar_.panelText(static_cast<int>(i) + 1)));
  }
}

bool QtStatusBarBinding::eventFilter(QObject* watched, QEvent* event) {
  const auto found = std::find(panels_.begin(), panels_.end(), watched);
  if (found != panels_.end()) {
    const int panel = static_cast<int>(found - panels_.begin()) + 1;
    if (event->type() == QEvent::MouseButtonRelease) raise([&] { bar_.PanelClick(panel); });
    if (event->type() == QEvent::MouseButtonDblClick) raise([&] { bar_.PanelDblClick(panel); });
  }
  return QtControlBinding::eventFilter(watched, event);
}

}  // namespace vendaro
