#include "app/Form1View.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QKeySequence>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>
#include <QStatusBar>

#include "platform/qt/QtComboBoxBinding.h"
#include "platform/qt/QtGeometry.h"
#include "platform/qt/QtGuard.h"
#include "platform/qt/QtPictureBoxBinding.h"

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

  makeToolbar(central_);
  makeBars(central_);
  setCentralWidget(central_);
  central_->installEventFilter(this);
  central_->setMouseTracking(true);
  makeStatusBar();
  makeShortcuts();

  watch(form_.Caption, [this] { showCaption(); });
  watch(form_.WebBrowser1, [this] { showVisiblePane(); });
  watch(form_.WebBrowser5, [this] { showVisiblePane(); });
  watch(form_.Label1, [this] { label1_->setText(qt(form_.Label1.Caption())); });
  watch(form_.Combo2, [this] { combo2_->setVisible(form_.Combo2.Visible()); });

  form_.onCloseRequested = [this] { close(); };
  form_.offers.focus = [this](const Control& control) {
    if (&control == &form_.Combo1) combo1_->setFocus();
    if (&control == &form_.Combo2) combo2_->setFocus();
  };
  resize(kInitialWidth, kInitialHeight);
}

Form1View::~Form1View() {
  form_.onCloseRequested = nullptr;
  form_.offers.focus = nullptr;
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

// The picture buttons on their strip, placed in twips as the model says.
void Form1View::makeToolbar(QWidget* central) {
  toolbarStrip_ = new QWidget(central);
  toolbarStrip_->setObjectName(QStringLiteral("Picture1"));
  toolbarStrip_->setMouseTracking(true);
  toolbarStrip_->installEventFilter(this);
  Toolbar& toolbar = form_.toolbar;
  for (const auto& button : toolbar.buttons()) {
    auto* label = new QLabel(toolbarStrip_);
    label->setObjectName(qt(button->name));
    label->setToolTip(qt(button->toolTip));
    label->setGeometry(pixelRect(button->place));
    label->setAlignment(Qt::AlignCenter);
    auto* binding = new QtPictureBoxBinding(button->picture, *label);
    const std::string name = button->name;
    binding->onMouseMove = [&toolbar, name] { toolbar.MouseMove(name); };
    binding->onMouseDown = [&toolbar, name](MouseButton mouse) { toolbar.MouseDown(name, mouse); };
    binding->onMouseUp = [&toolbar, name](MouseButton mouse) { toolbar.MouseUp(name, mouse); };
    binding->onClick = [&toolbar, name] { toolbar.Click(name); };
  }
}

// Keys users expect of a browser window, beside the menus.
void Form1View::makeShortcuts() {
  const auto shortcut = [this](const QKeySequence& keys, std::function<void()> command) {
    auto* made = new QShortcut(keys, this);
    connect(made, &QShortcut::activated, this,
            [command = std::move(command)] { runGuarded(command); });
  };
  const auto run = [this](const char* name) { return [this, name] { form_.commands.run(name); }; };
  shortcut(QKeySequence(Qt::ALT | Qt::Key_Left), run("Picture2"));
  shortcut(QKeySequence(Qt::ALT | Qt::Key_Right), run("Picture3"));
  shortcut(QKeySequence(Qt::Key_F5), run("Picture6"));
  shortcut(QKeySequence(Qt::Key_Escape), run("Picture4"));
  shortcut(QKeySequence(Qt::CTRL | Qt::Key_P), run("print"));
  shortcut(QKeySequence(Qt::CTRL | Qt::Key_Q), run("exit"));
  shortcut(QKeySequence(Qt::CTRL | Qt::Key_L), [this] {
    combo2_->setFocus();
    if (auto* box = qobject_cast<QComboBox*>(combo2_); box && box->lineEdit()) {
      box->lineEdit()->selectAll();
    }
  });
}

void Form1View::restoreWindowState() {
  if (!form_.windowState.empty()) {
    restoreGeometry(QByteArray::fromBase64(QByteArray::fromStdString(form_.windowState)));
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
  toolbarStrip_->setGeometry(pixelRect(form_.layout.Picture1));
  panes_->setGeometry(pixelRect(form_.layout.WebBrowser1));
}

bool Form1View::eventFilter(QObject* watched, QEvent* event) {
  if (watched == central_ && event->type() == QEvent::Resize) fitToClientArea();
  if ((watched == central_ || watched == toolbarStrip_) && event->type() == QEvent::MouseMove) {
    runGuarded([this] { form_.toolbar.Form_MouseMove(); });
  }
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
    form_.windowState = saveGeometry().toBase64().toStdString();
    runGuarded([this] { form_.Form_Unload(); });
  }
  event->accept();
}

}  // namespace vendaro
