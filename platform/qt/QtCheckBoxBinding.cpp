#include "platform/qt/QtCheckBoxBinding.h"

#include <QSignalBlocker>

#include "platform/qt/QtControlState.h"

namespace vendaro {
namespace {

Qt::CheckState checkState(int value) {
  if (value == 1) return Qt::Checked;
  if (value == 2) return Qt::PartiallyChecked;
  return Qt::Unchecked;
}

}  // namespace

QtCheckBoxBinding::QtCheckBoxBinding(CheckBox& box, QCheckBox& widget)
    : QtControlBinding(box, widget), box_(box), widget_(widget) {
  // `clicked` comes from the user (or click()), never from setCheckState.
  connect(&widget_, &QCheckBox::clicked, this, &QtCheckBoxBinding::takeClick);
  watch();
}

void QtCheckBoxBinding::show() {
  const QSignalBlocker blocker(&widget_);
  widget_.setText(QString::fromStdString(box_.Caption()));
  widget_.setTristate(box_.Value() == 2);
  widget_.setCheckState(checkState(box_.Value()));
  showControlState(box_, widget_);
}

void QtCheckBoxBinding::takeClick(bool checked) {
  box_.setValue(checked ? 1 : 0);
  raise(onClick);
  show();
}

}  // namespace vendaro
