#pragma once

#include <QDialog>

#include "editor/InsertHTMLDlg.h"
#include "platform/qt/QtViewBuilder.h"

namespace vendaro {

// "Insert HTML" on screen, modal over the editor window.
class InsertHTMLDlgView : public QDialog {
  Q_OBJECT

 public:
  InsertHTMLDlgView(InsertHTMLDlg& dialog, QWidget* owner);
  ~InsertHTMLDlgView() override;

 private:
  InsertHTMLDlg& dialog_;
  QtViewBuilder ui_;
};

}  // namespace vendaro
