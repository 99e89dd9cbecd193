#pragma once

#include <QString>
#include <functional>
#include <map>

#include "platform/controls/CheckBox.h"
#include "platform/controls/Label.h"
#include "platform/controls/ListControl.h"
#include "platform/controls/OptionButton.h"
#include "platform/controls/StatusBar.h"
#include "platform/controls/TextBox.h"
#include "platform/qt/QtStatusBarBinding.h"

class QCheckBox;
class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QWidget;

namespace vendaro {

// Makes the widgets of a view, each bound to its window model's control and
// named after it (the designer name), with the user's events passed to the
// model's handlers (errors reported, never thrown into Qt). Remembers which
// widget draws which control, so the view can move the focus where the model
// says. Every widget is a child of the given parent; the models must outlive
// them.
class QtViewBuilder {
 public:
  using Handler = std::function<void()>;

  // Fixed text, wrapped.
  QLabel* caption(const QString& text, QWidget* parent);
  QLabel* label(Label& model, const QString& name, QWidget* parent);
  QLineEdit* lineEdit(TextBox& box, const QString& name, QWidget* parent);
  QPlainTextEdit* textEdit(TextBox& box, const QString& name, QWidget* parent);
  // A button with a fixed caption, or with a caption model.
  QPushButton* button(const QString& text, const QString& name, Handler click, QWidget* parent);
  QPushButton* button(Label& model, const QString& name, Handler click, QWidget* parent);
  QListWidget* listBox(ListControl& list, const QString& name, Handler click, Handler doubleClick,
                       QWidget* parent);
  QComboBox* comboBox(ListControl& list, const QString& name, Handler click, QWidget* parent);
  QRadioButton* optionButton(OptionButton& option, const QString& name, Handler click,
                             QWidget* parent);
  QCheckBox* checkBox(CheckBox& box, const QString& name, Handler click, QWidget* parent);
  // A fixed caption and a bound line edit beside it in row `row` of a grid,
  // the edit spanning `span` columns.
  QLineEdit* labelledLineEdit(QGridLayout& grid, int row, const QString& text, TextBox& box,
                              const QString& name, int span = 1);
  // A row of panels drawing a status bar model, named `name`.
  QWidget* statusPanels(StatusBar& bar, const QString& name, QtStatusBarBinding::Widths widths,
                        QWidget* parent);

  // The widget made for `control`; null when none was.
  QWidget* widgetOf(const Control& control) const;

 private:
  template <typename Widget>
  Widget* made(const Control& control, Widget* widget);

  std::map<const Control*, QWidget*> widgets_;
};

}  // namespace vendaro
