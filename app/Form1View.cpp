#include "app/Form1View.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>

#include "platform/qt/QtComboBoxBinding.h"
#include "platform/qt/QtGeometry.h"
#include "platform/qt/QtGuard.h"

namespace vendaro {
namespace {

constexpr const char* kAddressBarTip = "Navigation Bar";
constexpr const char* kKeywordBarTip = "File it by keywords and press \"Enter\"";
// The keyword bar and its label sit left of the address bar, in twips.
constexpr Geometry kLabel1Place{60, 480, 500, 255};
constexpr Geometry kCombo1Place{600, 450, 2475, 315};

QString qt(const std::string& text) {
  return QString::fromStdString(text);
}

QComboBox* makeComboBox(const char* name, const char* toolTip, QWidget* parent) {
  auto* box = new QComboBox(parent);
  box->setObjectName(QLatin1String(name));
  box->setToolTip(QString::fromUtf8(toolTip));
  return box;
}

}  // namespace

Form1View::Form1View(Form1& form, MainMenu& menu, QWidget* webBrowser1, QWidget* webBrowser5)
    : form_(form),
      menu_(menu),
      central_(new QWidget),
      panes_(new QStackedWidget(central_)),
      webBrowser1_(webBrowser1),
      webBrowser5_(webBrowser5) {
  setObjectName(QStringLiteral("form1"));
  panes_->setObjectName(QStringLiteral("browserPanes"));
  webBrowser1_->setObjectName(QStringLiteral("WebBrowser1"));
  webBrowser5_->setObjectName(QStringLiteral("WebBrowser5"));
  panes_->addWidget(webBrowser1_);
  panes_->addWidget(webBrowser5_);

  makeMenuBar();
  makeBars(central_);
  setCentralWidget(central_);
  central_->installEventFilter(this);
  makeStatusBar();

  watch(form_.Caption, [this] { showCaption(); });
  watch(form_.WebBrowser1, [this] { showVisiblePane(); });
  watch(form_.WebBrowser5, [this] { showVisiblePane(); });
  watch(form_.Label1, [this] { label1_->setText(qt(form_.Label1.Caption())); });
  watch(form_.Combo2, [this] { combo2_->setVisible(form_.Combo2.Visible()); });

  form_.onCloseRequested = [this] { close(); };
  resize(kInitialWidth, kInitialHeight);
}

Form1View::~Form1View() {
  form_.onCloseRequested = nullptr;
  for (const auto& [control, id] : listeners_) control->removeListener(id);
}

void Form1View::makeMenuBar() {
  QMenuBar* bar = menuBar();
  for (int i = 0; i < menu_.menuCount(); ++i) {
    const MenuItem& item = menu_.menu(i);
    // Hidden menus are pop-up menus only.
    if (!item.Visible()) continue;
    QMenu* menu = bar->addMenu(qt(item.Caption()));
    menu->setObjectName(qt(item.name()));
    addMenuEntries(*menu, item);
  }
}

void Form1View::addMenuEntries(QMenu& menu, const MenuItem& item) {
  for (int i = 0; i < item.childCount(); ++i) {
    const MenuItem& entry = item.child(i);
    if (!entry.Visible()) continue;
    QAction* action = entry.Caption() == MainMenu::kSeparator ? menu.addSeparator()
                                                              : menu.addAction(qt(entry.Caption()));
    action->setObjectName(qt(entry.name()));
    const std::string name = entry.name();
    // An entry a command disables (the private zone's "Save image buf") is greyed.
    MenuItem& model = *menu_.find(name);
    watch(model, [action, &model] { action->setEnabled(model.Enabled()); });
    connect(action, &QAction::triggered, this,
            [this, name] { runGuarded([this, &name] { menu_.click(name); }); });
  }
}

void Form1View::makeBars(QWidget* central) {
  QComboBox* combo2 = makeComboBox("Combo2", kAddressBarTip, central);
  auto* address = new QtComboBoxBinding(form_.Combo2, *combo2);
  address->onKeyPress = [this](int keyAscii) { form_.Combo2_KeyPress(keyAscii); };
  address->onClick = [this] { form_.Combo2_Click(); };

  label1_ = new QLabel(qt(form_.Label1.Caption()), central);
  label1_->setObjectName(QStringLiteral("Label1"));
  label1_->setGeometry(pixelRect(kLabel1Place));
  QComboBox* combo1 = makeComboBox("Combo1", kKeywordBarTip, central);
  auto* keywords = new QtComboBoxBinding(form_.Combo1, *combo1);
  keywords->onKeyPress = [this](int keyAscii) { form_.Combo1_KeyPress(keyAscii); };
  keywords->onKeyDown = [this](int keyCode) { form_.Combo1_KeyDown(keyCode); };
  combo1->setGeometry(pixelRect(kCombo1Place));
  combo2_ = combo2;
  combo1_ = combo1;
}

// The window's client area, in twips, is the central widget and the status
// bar under it, whose height the model keeps.
void Form1View::fitToClientArea() {
  const float scaleWidth = twips(central_->width());
  const float scaleHeight = twips(central_->height()) + form_.layout.StatusBar1.height;
  form_.Form_Resize(scaleWidth, scaleHeight);
  combo2_->setGeometry(pixelRect(form_.layout.Combo2));
  panes_->setGeometry(pixelRect(form_.layout.WebBrowser1));
}

bool Form1View::eventFilter(QObject* watched, QEvent* event) {
  if (watched == central_ && event->type() == QEvent::Resize) fitToClientArea();
  return QMainWindow::eventFilter(watched, event);
}

void Form1View::makeStatusBar() {
  QStatusBar* bar = statusBar();
  bar->setObjectName(QStringLiteral("StatusBar1Bar"));
  bar->addWidget(ui_.statusPanels(form_.StatusBar1, QStringLiteral("StatusBar1"),
                                  QtStatusBarBinding::Widths::FirstTakesRest, bar),
                 1);
}

void Form1View::watch(Control& control, std::function<void()> show) {
  show();
  listeners_.emplace_back(&control, control.addListener(std::move(show)));
}

void Form1View::showCaption() {
  setWindowTitle(qt(form_.Caption.Caption()));
}

void Form1View::showVisiblePane() {
  // One of the two panes is visible at a time; the first pane wins a tie.
  panes_->setCurrentWidget(
      form_.WebBrowser1.Visible() || !form_.WebBrowser5.Visible() ? webBrowser1_ : webBrowser5_);
}

void Form1View::closeEvent(QCloseEvent* event) {
  // The close sequence runs once, however often the window is asked to close.
  if (!unloaded_) {
    unloaded_ = true;
    runGuarded([this] { form_.Form_Unload(); });
  }
  event->accept();
}

}  // namespace vendaro
