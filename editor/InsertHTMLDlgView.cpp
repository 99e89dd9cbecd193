#include "editor/InsertHTMLDlgView.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vendaro {

InsertHTMLDlgView::InsertHTMLDlgView(InsertHTMLDlg& dialog, QWidget* owner)
    : QDialog(owner), dialog_(dialog) {
  setObjectName(QStringLiteral("InsertHTMLDlg"));
  setWindowTitle(QStringLiteral("Insert HTML"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(ui_.caption(QStringLiteral("HTML source:"), this));
  layout->addWidget(ui_.textEdit(dialog.HTMLText, QStringLiteral("HTMLText"), this));
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ui_.button(QStringLiteral("OK"), QStringLiteral("CmdOK"),
                                [&dialog] { dialog.CmdOK_Click(); }, this));
  buttons->addWidget(ui_.button(QStringLiteral("Cancel"), QStringLiteral("CmdCancel"),
                                [&dialog] { dialog.CmdCancel_Click(); }, this));
  layout->addLayout(buttons);
  dialog.Unload = [this] { accept(); };
}

InsertHTMLDlgView::~InsertHTMLDlgView() {
  dialog_.Unload = nullptr;
}

}  // namespace vendaro
