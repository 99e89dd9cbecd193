#pragma once

#include <QDialog>

#include "editor/InsertTableDlg.h"
#include "platform/qt/QtViewBuilder.h"

namespace vendaro {

// "Insert Table" on screen, modal over the editor window.
class InsertTableDlgView : public QDialog {
  Q_OBJECT

 public:
  InsertTableDlgView(InsertTableDlg& dialog, QWidget* owner);
  ~InsertTableDlgView() override;

 private:
  InsertTableDlg& dialog_;
  QtViewBuilder ui_;
};

}  // namespace vendaro
