#include "publish/PublishView.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/qt/QtGuard.h"

namespace vendaro {

PublishView::PublishView(frmPublish& form) : form_(form), progress_(new QProgressBar(this)) {
  setObjectName(QStringLiteral("frmPublish"));
  setWindowTitle(QString::fromStdString(form_.Caption.Caption()));
  auto* layout = new QVBoxLayout(this);
  auto* grid = new QGridLayout;
  layout->addLayout(grid);
  const auto box = [&](int row, Label& caption, TextBox& text, const char* name) {
    return ui_.labelledLineEdit(*grid, row, QString::fromStdString(caption.Caption()), text,
                                QLatin1String(name));
  };
  QLineEdit* folder = box(0, form_.lblFolder, form_.txtFolder, "txtFolder");
  connect(folder, &QLineEdit::editingFinished, this,
          [this] { runGuarded([this] { form_.txtFolder_LostFocus(); }); });
  box(1, form_.lblDestination, form_.txtDestination, "txtDestination");
  box(2, form_.lblUser, form_.txtUser, "txtUser");
  box(3, form_.lblPassword, form_.txtPassword, "txtPassword")->setEchoMode(QLineEdit::Password);
  box(4, form_.lblKey, form_.txtKey, "txtKey");
  layout->addWidget(ui_.checkBox(
      form_.chkTrustHost, QStringLiteral("chkTrustHost"), [] {}, this));

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(ui_.button(
      form_.cmdPublish, QStringLiteral("cmdPublish"), [this] { form_.cmdPublish_Click(); }, this));
  buttons->addWidget(ui_.button(
      form_.cmdStop, QStringLiteral("cmdStop"), [this] { form_.cmdStop_Click(); }, this));
  buttons->addStretch(1);
  layout->addLayout(buttons);

  progress_->setObjectName(QStringLiteral("prgProgress"));
  progress_->setRange(form_.prgProgress.Min(), form_.prgProgress.Max());
  progressListener_ =
      form_.prgProgress.addListener([this] { progress_->setValue(form_.prgProgress.Value()); });
  layout->addWidget(progress_);
  layout->addWidget(ui_.label(form_.lblProgress, QStringLiteral("lblProgress"), this));
  layout->addWidget(ui_.listBox(
                        form_.lstLog, QStringLiteral("lstLog"), [] {}, [] {}, this),
                    1);
  resize(640, 480);
}

PublishView::~PublishView() {
  form_.prgProgress.removeListener(progressListener_);
}

void PublishView::windowClosing() {
  form_.cmdStop_Click();
}

}  // namespace vendaro
