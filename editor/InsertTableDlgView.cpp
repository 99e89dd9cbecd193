#include "editor/InsertTableDlgView.h"

#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>

namespace vendaro {

InsertTableDlgView::InsertTableDlgView(InsertTableDlg& dialog, QWidget* owner)
    : QDialog(owner), dialog_(dialog) {
  setObjectName(QStringLiteral("InsertTableDlg"));
  setWindowTitle(QStringLiteral("Insert Table"));
  auto* grid = new QGridLayout(this);
  ui_.labelledLineEdit(*grid, 0, QStringLiteral("Number of rows:"), dialog.Rows, QStringLiteral("Rows"));
  ui_.labelledLineEdit(*grid, 1, QStringLiteral("Number of columns:"), dialog.Cols,
                       QStringLiteral("Cols"));
  ui_.labelledLineEdit(*grid, 2, QStringLiteral("Table Tag Attributes:"), dialog.TableAttrs,
                       QStringLiteral("TableAttrs"), 2);
  ui_.labelledLineEdit(*grid, 3, QStringLiteral("Cell Tag Attributes:"), dialog.CellAttrs,
                       QStringLiteral("CellAttrs"), 2);
  ui_.labelledLineEdit(*grid, 4, QStringLiteral("Caption:"), dialog.TableCaption,
                       QStringLiteral("TableCaption"), 2);
  QPushButton* ok = ui_.button(QStringLiteral("OK"), QStringLiteral("OkCmd"),
                               [&dialog] { dialog.OkCmd_Click(); }, this);
  ok->setDefault(true);
  grid->addWidget(ok, 0, 3);
  grid->addWidget(ui_.button(QStringLiteral("Cacel"), QStringLiteral("CacelCmd"),
                             [&dialog] { dialog.CacelCmd_Click(); }, this),
                  1, 3);
  dialog.Unload = [this] { accept(); };
}

InsertTableDlgView::~InsertTableDlgView() {
  dialog_.Unload = nullptr;
}

}  // namespace vendaro
