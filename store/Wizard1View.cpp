#include "store/Wizard1View.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "store/ItemTableView.h"

namespace vendaro {
namespace {

QString qt(const std::string& text) {
  return QString::fromStdString(text);
}

QString boxName(const char* array, int index) {
  return QStringLiteral("%1_%2").arg(QLatin1String(array)).arg(index);
}

}  // namespace

Wizard1View::Wizard1View(Wizard1& wizard) : wizard_(wizard), tabs_(new QTabWidget(this)) {
  setObjectName(QStringLiteral("Wizard1"));
  tabs_->setObjectName(QStringLiteral("SSTab1"));
  tabs_->addTab(makeWebStyleTab(), QStringLiteral("Web Style"));
  tabs_->addTab(makeProjectTab(), QStringLiteral("Project"));
  tabs_->addTab(makeSettingsTab(), QStringLiteral("Settings"));
  tabs_->addTab(makeLayoutTab(), QStringLiteral("Layout"));
  tabs_->addTab(makeMailTab(), QStringLiteral("E-Mail DB"));
  connect(tabs_, &QTabWidget::currentChanged, this, &Wizard1View::tabChanged);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(tabs_, 1);
  layout->addWidget(ui_.statusPanels(wizard_.StatusBar1, QStringLiteral("StatusBar1"),
                                     QtStatusBarBinding::Widths::Equal, this));

  setWindowTitle(qt(wizard_.Caption.Caption()));
  captionListener_ =
      wizard_.Caption.addListener([this] { setWindowTitle(qt(wizard_.Caption.Caption())); });
  wizard_.onFocus = [this](const Control& control) { focusControl(control); };
  resize(kInitialWidth, kInitialHeight);
}

Wizard1View::~Wizard1View() {
  wizard_.onFocus = nullptr;
  wizard_.Caption.removeListener(captionListener_);
}

// ---- Tabs ----

QWidget* Wizard1View::makeWebStyleTab() {
  auto* tab = new QWidget;
  auto* layout = new QGridLayout(tab);
  QRadioButton* option1 = ui_.optionButton(
      wizard_.Option1, "Option1", [this] { wizard_.Option1_Click(); }, tab);
  QRadioButton* option2 = ui_.optionButton(
      wizard_.Option2, "Option2", [this] { wizard_.Option2_Click(); }, tab);
  QRadioButton* option3 = ui_.optionButton(
      wizard_.Option3, "Option3", [this] { wizard_.Option3_Click(); }, tab);
  layout->addWidget(option1, 0, 0, 1, 2);
  layout->addWidget(option2, 1, 0, 1, 2);
  layout->addWidget(option3, 2, 0, 1, 2);
  layout->addWidget(ui_.caption(QStringLiteral("Name of Store's start file (Link to)"), tab), 3, 0);
  layout->addWidget(ui_.lineEdit(wizard_.Text14, QStringLiteral("Text14"), tab), 3, 1);
  layout->setRowStretch(4, 1);
  return tab;
}

QWidget* Wizard1View::makeProjectTab() {
  auto* tab = new QWidget;
  auto* layout = new QGridLayout(tab);
  layout->addWidget(ui_.caption(QStringLiteral("Project Name :"), tab), 0, 0);
  layout->addWidget(ui_.lineEdit(wizard_.Text6, QStringLiteral("Text6"), tab), 0, 1, 1, 2);
  auto* projectButtons = new QHBoxLayout;
  projectButtons->addWidget(ui_.button(
      "New Project", "Command12", [this] { wizard_.Command12_Click(); }, tab));
  projectButtons->addWidget(ui_.button(
      "Open Project", "Command2", [this] { wizard_.Command2_Click(); }, tab));
  projectButtons->addWidget(ui_.button(
      "Clear listing", "Command11", [this] { wizard_.Command11_Click(); }, tab));
  layout->addLayout(projectButtons, 1, 0, 1, 3);
  layout->addWidget(ui_.lineEdit(wizard_.Text1[0], boxName("Text1", 0), tab), 2, 0, 1, 2);
  layout->addWidget(ui_.button(
                        "Add Category", "Command9", [this] { wizard_.Command9_Click(); }, tab),
                    2, 2);
  layout->addWidget(ui_.caption(QStringLiteral("Categories' names :"), tab), 3, 0, 1, 3);
  layout->addWidget(ui_.listBox(
                        wizard_.List1, "List1", nullptr, [this] { wizard_.List1_DblClick(); }, tab),
                    4, 0, 1, 3);
  layout->setRowStretch(4, 1);
  return tab;
}

QWidget* Wizard1View::makeSettingsTab() {
  auto* tab = new QWidget;
  auto* outer = new QVBoxLayout(tab);
  auto* frame = new QGroupBox(QStringLiteral("Setting HTML"), tab);
  outer->addWidget(frame);
  auto* layout = new QGridLayout(frame);
  layout->addWidget(ui_.button(
                        "Open settings", "Command6", [this] { wizard_.Command6_Click(); }, frame),
                    0, 0);
  layout->addWidget(ui_.caption(QStringLiteral("E-mail Action :"), frame), 1, 0);
  layout->addWidget(ui_.textEdit(wizard_.Text5, QStringLiteral("Text5"), frame), 1, 1);
  layout->addWidget(ui_.caption(QStringLiteral("Go back URL :"), frame), 2, 0);
  layout->addWidget(ui_.lineEdit(wizard_.Text4, QStringLiteral("Text4"), frame), 2, 1);
  layout->addWidget(ui_.caption(QStringLiteral("Here You may define Font style"), frame), 3, 0);
  layout->addWidget(ui_.textEdit(wizard_.Text3, QStringLiteral("Text3"), frame), 3, 1);
  layout->addWidget(ui_.caption(QStringLiteral("Here You may define Table style"), frame), 4, 0);
  layout->addWidget(ui_.textEdit(wizard_.Text2, QStringLiteral("Text2"), frame), 4, 1);
  layout->addWidget(
      ui_.caption(QStringLiteral("Here You must place the HTML code for \"Form action\" tag"),
                  frame),
      5, 0);
  layout->addWidget(ui_.textEdit(wizard_.Text7, QStringLiteral("Text7"), frame), 5, 1);
  layout->setColumnStretch(1, 1);
  return tab;
}

QWidget* Wizard1View::makeLayoutTab() {
  auto* tab = new QWidget;
  auto* layout = new QHBoxLayout(tab);

  auto* product = new QGroupBox(QStringLiteral("Product"), tab);
  auto* productLayout = new QGridLayout(product);
  addProductBoxes(*productLayout, product);
  layout->addWidget(product, 1);

  auto* items = new QGroupBox(QStringLiteral("Item List"), tab);
  auto* itemsLayout = new QGridLayout(items);
  itemsLayout->addWidget(new ItemTableView(wizard_, items), 0, 0, 1, 2);
  itemsLayout->addWidget(ui_.button(
                             "Up", "Command1", [this] { wizard_.Command1_Click(); }, items),
                         1, 0);
  itemsLayout->addWidget(ui_.button(
                             "Down", "Command10", [this] { wizard_.Command10_Click(); }, items),
                         1, 1);
  layout->addWidget(items, 1);
  return tab;
}

// The category choice, the item entry boxes (the optional ones with the
// check box that puts them on the pages), the sales tax and the commands.
void Wizard1View::addProductBoxes(QGridLayout& layout, QWidget* parent) {
  QComboBox* combo1 = ui_.comboBox(
      wizard_.Combo1, QStringLiteral("Combo1"), [this] { wizard_.Combo1_Click(); }, parent);
  layout.addWidget(ui_.caption(QStringLiteral("Category name"), parent), 0, 0);
  layout.addWidget(combo1, 0, 1, 1, 2);

  int row = 1;
  const auto plainBox = [&](const char* caption, int index) {
    ui_.labelledLineEdit(layout, row++, QLatin1String(caption), wizard_.Text1[index],
                         boxName("Text1", index), 2);
  };

  // A box with a button beside it leaves the last column to the button.
  const auto optionalBox = [&](CheckBox& check, const char* checkName, TextBox& box,
                               const QString& boxName, int columns = 2) {
    layout.addWidget(ui_.checkBox(check, checkName, nullptr, parent), row, 0);
    layout.addWidget(ui_.lineEdit(box, boxName, parent), row, 1, 1, columns);
    ++row;
  };
  plainBox("Item ID", 2);
  plainBox("Item Description", 5);
  plainBox("Price", 4);
  optionalBox(wizard_.Check2, "Check2", wizard_.Text1[6], boxName("Text1", 6));
  optionalBox(wizard_.Check3, "Check3", wizard_.Text1[3], boxName("Text1", 3), 1);
  layout.addWidget(ui_.button(
                       "Get it", "Command7", [this] { wizard_.Command7_Click(); }, parent),
                   row - 1, 2);
  optionalBox(wizard_.Check1, "Check1", wizard_.Text8, QStringLiteral("Text8"));
  optionalBox(wizard_.Check4, "Check4", wizard_.Text9, QStringLiteral("Text9"));
  ui_.labelledLineEdit(layout, row++, QStringLiteral("On hand"), wizard_.txtOnHand,
                       QStringLiteral("txtOnHand"), 2);
  layout.addWidget(ui_.checkBox(wizard_.chkOrderScript, QStringLiteral("chkOrderScript"), nullptr,
                                parent),
                   row++, 0);
  layout.addWidget(ui_.caption(QStringLiteral("Sales Tax,%"), parent), row, 0);
  layout.addWidget(ui_.lineEdit(wizard_.Text15, QStringLiteral("Text15"), parent), row, 1, 1, 2);
  ++row;

  auto* commands = new QGridLayout;
  commands->addWidget(ui_.button(
                          "Add", "Command3", [this] { wizard_.Command3_Click(); }, parent),
                      0, 0);
  commands->addWidget(ui_.button(
                          "Save changes", "Command5", [this] { wizard_.Command5_Click(); }, parent),
                      0, 1);
  commands->addWidget(ui_.button(
                          "New ", "Command8", [this] { wizard_.Command8_Click(); }, parent),
                      0, 2);
  commands->addWidget(ui_.button(
                          "Update", "Command13", [this] { wizard_.Command13_Click(); }, parent),
                      1, 0);
  commands->addWidget(ui_.button(
                          "Preview", "Command4", [this] { wizard_.Command4_Click(); }, parent),
                      1, 1);
  commands->addWidget(ui_.button(
                          "Generate", "Command14", [this] { wizard_.Command14_Click(); }, parent),
                      1, 2);
  commands->addWidget(ui_.button(
                          "Edit", "cmdEdit", [this] { wizard_.cmdEdit_Click(); }, parent),
                      1, 3);
  layout.addLayout(commands, row, 0, 1, 3);
  layout.setRowStretch(row + 1, 1);
  layout.setColumnStretch(1, 1);
}

QWidget* Wizard1View::makeMailTab() {
  auto* tab = new QWidget;
  auto* layout = new QGridLayout(tab);
  if (wizard_.intake) addMailboxIntake(*wizard_.intake, *layout, tab);
  layout->addWidget(ui_.button(
                        "Show Orders", "Command151", [this] { wizard_.Command151_Click(); }, tab),
                    5, 2);
  return tab;
}

void Wizard1View::addMailboxIntake(MailboxIntake& intake, QGridLayout& layout, QWidget* parent) {
  const auto field = [&](const char* caption, TextBox& box, const char* name, int row) {
    return ui_.labelledLineEdit(layout, row, QLatin1String(caption), box, QLatin1String(name));
  };
  field("POP Host:", intake.PopHost, "PopHost", 0);
  field("User Name:", intake.PopUserName, "PopUserName", 1);
  field("Password:", intake.PopPassword, "PopPassword", 2)->setEchoMode(QLineEdit::Password);
  field("E-Mail:", intake.Email, "Email", 3)->setReadOnly(true);

  layout.addWidget(ui_.checkBox(
                       intake.chkHostDelete, QStringLiteral("chkHostDelete"),
                       [&intake] { intake.chkHostDelete_Click(); }, parent),
                   4, 1);
  layout.addWidget(
      ui_.checkBox(intake.chkKeepPassword, QStringLiteral("chkKeepPassword"), [] {}, parent), 4,
      2);
  layout.addWidget(ui_.button(
                       intake.cmdGetMail, QStringLiteral("cmdGetMail"),
                       [&intake] { intake.cmdGetMail_Click(); }, parent),
                   5, 1);
  layout.addWidget(ui_.label(intake.lblPercentage, QStringLiteral("lblPercentage"), parent), 5, 0);

  layout.addWidget(ui_.listBox(intake.List3, "List3", nullptr, nullptr, parent), 0, 2, 4, 1);
  QPlainTextEdit* log = ui_.textEdit(intake.Text18, QStringLiteral("Text18"), parent);
  log->setReadOnly(true);
  layout.addWidget(log, 6, 0, 1, 3);
  layout.setRowStretch(6, 1);
  layout.setColumnStretch(1, 1);
  layout.setColumnStretch(2, 1);
}

// ---- Events ----

void Wizard1View::focusControl(const Control& control) {
  if (QWidget* widget = ui_.widgetOf(control)) widget->setFocus();
}

void Wizard1View::tabChanged(int index) {
  const int previous = currentTab_;
  currentTab_ = index;
  wizard_.SSTab1_Click(previous);
}

}  // namespace vendaro
