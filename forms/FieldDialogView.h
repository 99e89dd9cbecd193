#pragma once

#include <QWidget>
#include <memory>

#include "forms/FieldDialog.h"
#include "platform/qt/QtViewBuilder.h"

class QCloseEvent;
class QGridLayout;

namespace vendaro {

// Any dialog of the form creator on screen, drawn from its list of
// elements: the boxes with their captions, options, lists and headings in
// rows (on tabs where the dialog has pages), the buttons in a row at the
// bottom. Not modal; deletes itself once closed, and keeps the dialog's model
// until then.
class FieldDialogView : public QWidget {
  Q_OBJECT

 public:
  FieldDialogView(std::shared_ptr<FieldDialog> dialog, QWidget* parent);
  ~FieldDialogView() override;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void addElement(const DialogElement& element, QGridLayout& grid, QWidget* page);

  std::shared_ptr<FieldDialog> dialog_;
  QtViewBuilder ui_;
};

}  // namespace vendaro
