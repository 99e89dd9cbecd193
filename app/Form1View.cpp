#include "app/Form1View.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QStatusBar>
#include <QVBoxLayout>

#include "platform/qt/QtComboBoxBinding.h"

namespace vendaro {
namespace {

constexpr const char* kAddressBarTip = "Navigation Bar";
constexpr const char* kKeywordBarTip = "File it by keywords and press \"Enter\"";
constexpr int kAddressBarStretch = 3;
constexpr int kKeywordBarStretch = 1;
constexpr int kStatusPanelMinimumWidth = 80;

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

Form1View::Form1View(Form1& form, QWidget* webBrowser1, QWidget* webBrowser5)
    : form_(form),
      panes_(new QStackedWidget),
      webBrowser1_(webBrowser1),
      webBrowser5_(webBrowser5) {
  setObjectName(QStringLiteral("form1"));
  panes_->setObjectName(QStringLiteral("browserPanes"));
  webBrowser1_->setObjectName(QStringLiteral("WebBrowser1"));
  webBrowser5_->setObjectName(QStringLiteral("WebBrowser5"));
  panes_->addWidget(webBrowser1_);
  panes_->addWidget(webBrowser5_);

  auto* central = new QWidget;
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(makeBars());
  layout->addWidget(panes_, 1);
  setCentralWidget(central);
  makeStatusBar();

  watch(form_.Caption, [this] { showCaption(); });
  watch(form_.WebBrowser1, [this] { showVisiblePane(); });
  watch(form_.WebBrowser5, [this] { showVisiblePane(); });
  watch(form_.StatusBar1, [this] { showStatusPanels(); });
  watch(form_.Label1, [this] { label1_->setText(qt(form_.Label1.Caption())); });

  form_.onCloseRequested = [this] { close(); };
  resize(kInitialWidth, kInitialHeight);
}

Form1View::~Form1View() {
  form_.onCloseRequested = nullptr;
  for (const auto& [control, id] : listeners_) control->removeListener(id);
}

QWidget* Form1View::makeBars() {
  auto* bars = new QWidget;
  auto* row = new QHBoxLayout(bars);
  row->setContentsMargins(2, 2, 2, 2);

  QComboBox* combo2 = makeComboBox("Combo2", kAddressBarTip, bars);
  auto* address = new QtComboBoxBinding(form_.Combo2, *combo2);
  address->onKeyPress = [this](int keyAscii) { form_.Combo2_KeyPress(keyAscii); };
  address->onClick = [this] { form_.Combo2_Click(); };

  label1_ = new QLabel(qt(form_.Label1.Caption()), bars);
  label1_->setObjectName(QStringLiteral("Label1"));
  QComboBox* combo1 = makeComboBox("Combo1", kKeywordBarTip, bars);
  new QtComboBoxBinding(form_.Combo1, *combo1);

  row->addWidget(combo2, kAddressBarStretch);
  row->addWidget(label1_);
  row->addWidget(combo1, kKeywordBarStretch);
  return bars;
}

void Form1View::makeStatusBar() {
  QStatusBar* bar = statusBar();
  bar->setObjectName(QStringLiteral("StatusBar1"));
  for (int panel = 1; panel <= form_.StatusBar1.panelCount(); ++panel) {
    auto* label = new QLabel(bar);
    label->setObjectName(QStringLiteral("StatusBar1Panel%1").arg(panel));
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    // The first panel (page state) takes the room that is left.
    if (panel > 1) label->setMinimumWidth(kStatusPanelMinimumWidth);
    bar->addWidget(label, panel == 1 ? 1 : 0);
    statusPanels_.push_back(label);
  }
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

void Form1View::showStatusPanels() {
  for (std::size_t i = 0; i < statusPanels_.size(); ++i) {
    statusPanels_[i]->setText(qt(form_.StatusBar1.panelText(static_cast<int>(i) + 1)));
  }
}

void Form1View::closeEvent(QCloseEvent* event) {
  // The close sequence runs once, however often the window is asked to close.
  if (!unloaded_) {
    unloaded_ = true;
    form_.Form_Unload();
  }
  event->accept();
}

}  // namespace vendaro
