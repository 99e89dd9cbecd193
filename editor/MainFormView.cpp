#include "editor/MainFormView.h"

#include <QComboBox>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QStackedWidget>
#include <QToolBar>
#include <QVBoxLayout>
#include <map>

#include "editor/InsertHTMLDlgView.h"
#include "editor/InsertTableDlgView.h"
#include "platform/qt/QtGuard.h"

namespace vendaro {
namespace {

// What the toolbar buttons show, by key.
const std::map<std::string, QString>& buttonTexts() {
  static const std::map<std::string, QString> texts{
      {"Bold", QStringLiteral("B")},         {"Italic", QStringLiteral("I")},
      {"Underline", QStringLiteral("U")},    {"Color", QStringLiteral("Color")},
      {"Numbers", QStringLiteral("1.")},     {"Bullets", QStringLiteral("\u2022")},
      {"Outdent", QStringLiteral("\u21e4")}, {"Indent", QStringLiteral("\u21e5")},
      {"LeftJustify", QStringLiteral("Left")}, {"Center", QStringLiteral("Center")},
      {"RightJustify", QStringLiteral("Right")}};
  return texts;
}

QString qt(const std::string& text) {
  return QString::fromStdString(text);
}

}  // namespace

MainFormView::MainFormView(MainForm& form, QWidget& surface) : form_(form) {
  setObjectName(QStringLiteral("MainForm"));
  resize(760, 560);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  auto* bar = new QMenuBar(this);
  for (MenuItem* menu : form_.menus()) bar->addMenu(makeMenu(*menu));
  layout->setMenuBar(bar);
  layout->addWidget(makeToolbar());

  pages_ = new QStackedWidget(this);
  surface.setObjectName(QStringLiteral("DHTMLEdit1"));
  pages_->addWidget(&surface);
  pages_->addWidget(ui_.textEdit(form_.SourceText, QStringLiteral("SourceText"), pages_));
  layout->addWidget(pages_, 1);
  layout->addWidget(ui_.statusPanels(form_.StatusBar1, QStringLiteral("StatusBar1"),
                                   QtStatusBarBinding::Widths::FirstTakesRest, this));

  watch(form_.Caption, [this] { setWindowTitle(qt(form_.Caption.Caption())); });
  watch(form_.SourceText, [this] { pages_->setCurrentIndex(form_.SourceText.Visible() ? 1 : 0); });
  form_.Unload = [this] { close(); };
  form_.showInsertTableDlg = [this] {
    const std::unique_ptr<InsertTableDlg> dialog = form_.makeInsertTableDlg();
    InsertTableDlgView(*dialog, this).exec();
  };
  form_.showInsertHTMLDlg = [this] {
    const std::unique_ptr<InsertHTMLDlg> dialog = form_.makeInsertHTMLDlg();
    InsertHTMLDlgView(*dialog, this).exec();
  };
}

MainFormView::~MainFormView() {
  // The surface's widget belongs to the surface, not to this window.
  if (QWidget* surface = pages_->widget(0)) {
    pages_->removeWidget(surface);
    surface->setParent(nullptr);
  }
  for (const auto& [control, id] : listeners_) control->removeListener(id);
  form_.Unload = nullptr;
  form_.showInsertTableDlg = nullptr;
  form_.showInsertHTMLDlg = nullptr;
}

void MainFormView::watch(Control& control, std::function<void()> show) {
  show();
  listeners_.emplace_back(&control, control.addListener(std::move(show)));
}

QToolBar* MainFormView::makeToolbar() {
  auto* toolbar = new QToolBar(this);
  toolbar->setObjectName(QStringLiteral("Toolbar1"));
  QComboBox* font = ui_.comboBox(form_.FontCombo, QStringLiteral("FontCombo"),
                                 [this] { form_.FontCombo_Click(); }, toolbar);
  font->setMinimumContentsLength(14);
  toolbar->addWidget(font);
  toolbar->addWidget(ui_.comboBox(form_.FontSizeCombo, QStringLiteral("FontSizeCombo"),
                                  [this] { form_.FontSizeCombo_Click(); }, toolbar));
  for (int i = 0; i < form_.Toolbar1.childCount(); ++i) {
    MenuItem& button = form_.Toolbar1.child(i);
    const auto text = buttonTexts().find(button.name());
    if (text == buttonTexts().end()) continue;  // the place-holders under the font boxes
    QAction* action = toolbar->addAction(text->second);
    action->setObjectName(qt(button.name()));
    action->setToolTip(qt(button.name()));
    action->setCheckable(button.name() != "Color");
    const std::string key = button.name();
    connect(action, &QAction::triggered, this, [this, action, &button, key] {
      runGuarded([this, &key] { form_.Toolbar1_ButtonClick(key); });
      showToolbarButton(*action, button);  // the model says whether it is pressed
    });
    watch(button, [this, action, &button] { showToolbarButton(*action, button); });
  }
  return toolbar;
}

void MainFormView::showToolbarButton(QAction& action, const MenuItem& button) {
  action.setEnabled(button.Enabled());
  if (action.isCheckable()) action.setChecked(button.Checked());
}

QMenu* MainFormView::makeMenu(MenuItem& menu) {
  auto* drawn = new QMenu(qt(menu.Caption()), this);
  drawn->setObjectName(qt(menu.name()));
  connect(drawn, &QMenu::aboutToShow, this, [this, drawn, &menu] {
    runGuarded([this, &menu] { form_.Menu_Open(menu); });
    drawMenu(*drawn, menu);
  });
  drawMenu(*drawn, menu);
  return drawn;
}

void MainFormView::drawMenu(QMenu& drawn, MenuItem& menu) {
  drawn.clear();
  for (int i = 0; i < menu.childCount(); ++i) {
    MenuItem& item = menu.child(i);
    if (item.Caption() == MainForm::kSeparator) {
      drawn.addSeparator();
      continue;
    }
    QAction* action = drawn.addAction(qt(item.Caption()));
    action->setObjectName(qt(item.name()));
    action->setEnabled(item.Enabled());
    action->setCheckable(item.Checked());
    action->setChecked(item.Checked());
    connect(action, &QAction::triggered, this,
            [this, &item] { runGuarded([this, &item] { form_.Menu_Click(item); }); });
  }
}

}  // namespace vendaro
