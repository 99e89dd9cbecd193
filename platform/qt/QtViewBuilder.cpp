#include "platform/qt/QtViewBuilder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include "platform/qt/QtButtonBinding.h"
#include "platform/qt/QtCheckBoxBinding.h"
#include "platform/qt/QtComboBoxBinding.h"
#include "platform/qt/QtGuard.h"
#include "platform/qt/QtLabelBinding.h"
#include "platform/qt/QtLineEditBinding.h"
#include "platform/qt/QtListBoxBinding.h"
#include "platform/qt/QtOptionButtonBinding.h"
#include "platform/qt/QtTextEditBinding.h"

namespace vendaro {

template <typename Widget>
Widget* QtViewBuilder::made(const Control& control, Widget* widget) {
  widgets_[&control] = widget;
  return widget;
}

QLabel* QtViewBuilder::caption(const QString& text, QWidget* parent) {
  auto* widget = new QLabel(text, parent);
  widget->setWordWrap(true);
  return widget;
}

QLabel* QtViewBuilder::label(Label& model, const QString& name, QWidget* parent) {
  auto* widget = new QLabel(parent);
  widget->setObjectName(name);
  new QtLabelBinding(model, *widget);
  return made(model, widget);
}

QLineEdit* QtViewBuilder::lineEdit(TextBox& box, const QString& name, QWidget* parent) {
  auto* widget = new QLineEdit(parent);
  widget->setObjectName(name);
  new QtLineEditBinding(box, *widget);
  return made(box, widget);
}

QPlainTextEdit* QtViewBuilder::textEdit(TextBox& box, const QString& name, QWidget* parent) {
  auto* widget = new QPlainTextEdit(parent);
  widget->setObjectName(name);
  new QtTextEditBinding(box, *widget);
  return made(box, widget);
}

QPushButton* QtViewBuilder::button(const QString& text, const QString& name, Handler click,
                                   QWidget* parent) {
  auto* widget = new QPushButton(text, parent);
  widget->setObjectName(name);
  QObject::connect(widget, &QPushButton::clicked, widget,
                   [click = std::move(click)] { runGuarded(click); });
  return widget;
}

QPushButton* QtViewBuilder::button(Label& model, const QString& name, Handler click,
                                   QWidget* parent) {
  auto* widget = new QPushButton(parent);
  widget->setObjectName(name);
  (new QtButtonBinding(model, *widget))->onClick = std::move(click);
  return made(model, widget);
}

QListWidget* QtViewBuilder::listBox(ListControl& list, const QString& name, Handler click,
                                    Handler doubleClick, QWidget* parent) {
  auto* widget = new QListWidget(parent);
  widget->setObjectName(name);
  auto* binding = new QtListBoxBinding(list, *widget);
  binding->onClick = std::move(click);
  binding->onDblClick = std::move(doubleClick);
  return made(list, widget);
}

QComboBox* QtViewBuilder::comboBox(ListControl& list, const QString& name, Handler click,
                                   QWidget* parent) {
  auto* widget = new QComboBox(parent);
  widget->setObjectName(name);
  (new QtComboBoxBinding(list, *widget))->onClick = std::move(click);
  return made(list, widget);
}

QRadioButton* QtViewBuilder::optionButton(OptionButton& option, const QString& name,
                                          Handler click, QWidget* parent) {
  auto* widget = new QRadioButton(parent);
  widget->setObjectName(name);
  (new QtOptionButtonBinding(option, *widget))->onClick = std::move(click);
  return made(option, widget);
}

QCheckBox* QtViewBuilder::checkBox(CheckBox& box, const QString& name, Handler click,
                                   QWidget* parent) {
  auto* widget = new QCheckBox(parent);
  widget->setObjectName(name);
  (new QtCheckBoxBinding(box, *widget))->onClick = std::move(click);
  return made(box, widget);
}

QLineEdit* QtViewBuilder::labelledLineEdit(QGridLayout& grid, int row, const QString& text,
                                           TextBox& box, const QString& name, int span) {
  QWidget* parent = grid.parentWidget();
  grid.addWidget(caption(text, parent), row, 0);
  QLineEdit* edit = lineEdit(box, name, parent);
  grid.addWidget(edit, row, 1, 1, span);
  return edit;
}

QWidget* QtViewBuilder::statusPanels(StatusBar& bar, const QString& name,
                                     QtStatusBarBinding::Widths widths, QWidget* parent) {
  auto* row = new QWidget(parent);
  row->setObjectName(name);
  new QtStatusBarBinding(bar, *row, widths);
  return made(bar, row);
}

QWidget* QtViewBuilder::widgetOf(const Control& control) const {
  const auto found = widgets_.find(&control);
  return found == widgets_.end() ? nullptr : found->second;
}

}  // namespace vendaro
