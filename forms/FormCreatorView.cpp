#include "forms/FormCreatorView.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include "common/MailboxIntake.h"
#include "forms/FieldDialogView.h"
#include "platform/qt/QtGuard.h"

namespace vendaro {
namespace {

QString qt(const std::string& text) {
  return QString::fromStdString(text);
}

}  // namespace

FormCreatorView::FormCreatorView(Settings& creator, MailboxIntake* intake)
    : creator_(creator), tabs_(new QTabWidget(this)) {
  setObjectName(QStringLiteral("Settings"));
  setWindowTitle(qt(creator_.Caption.Caption()));
  creator_.onShowDialog = [this](std::shared_ptr<FieldDialog> dialog) {
    showDialog(std::move(dialog));
  };
  creator_.onResponsesShown = [this] { showResponses(); };
  tabs_->setObjectName(QStringLiteral("SSTab1"));
  tabs_->addTab(makePropertiesTab(), QStringLiteral("Page Properties"));
  tabs_->addTab(makeFieldsTab(), QStringLiteral("Fields"));
  tabs_->addTab(makeResponsesTab(intake), QStringLiteral("&E-mail DB interface"));
  connect(tabs_, &QTabWidget::currentChanged, this,
          [this] { runGuarded([this] { creator_.SSTab1_Click(); }); });
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(tabs_);
  resize(kInitialWidth, kInitialHeight);
  runGuarded([this] { creator_.Form_Load(); });
}

FormCreatorView::~FormCreatorView() {
  creator_.onShowDialog = nullptr;
  creator_.onResponsesShown = nullptr;
}

QWidget* FormCreatorView::makePropertiesTab() {
  auto* tab = new QWidget;
  auto* grid = new QGridLayout(tab);
  grid->addWidget(ui_.comboBox(
                      creator_.Combo4, "Combo4", [this] { creator_.Combo4_Click(); }, tab),
                  0, 1);
  grid->addWidget(ui_.button(
                      "New Form", "Command20", [this] { creator_.Command20_Click(); }, tab),
                  0, 2);
  grid->addWidget(ui_.button(
                      "Delete", "Command21", [this] { creator_.Command21_Click(); }, tab),
                  0, 3);
  int row = 1;
  // Every edit of a page property is stored at once.
  const auto field = [&](const char* caption, TextBox& box, const char* name) {
    QLineEdit* edit =
        ui_.labelledLineEdit(*grid, row++, QLatin1String(caption), box, QLatin1String(name));
    connect(edit, &QLineEdit::textEdited, this,
            [this] { runGuarded([this] { creator_.pagePropertiesEdited(); }); });
    return edit;
  };
  field("Form Name :", creator_.Text10, "Text10")->setReadOnly(true);
  field("formID", creator_.Text13, "Text13")->setReadOnly(true);
  field("Location :", creator_.Text1, "Text1");
  grid->addWidget(ui_.button(
                      "Open", "Command14", [this] { creator_.Command14_Click(); }, tab),
                  row - 1, 2);
  field("Base Location :", creator_.Text3, "Text3");
  field("Default target Frame :", creator_.Combo1, "Combo1");
  field("Background Image :", creator_.Text4, "Text4");
  grid->addWidget(ui_.button(
                      "Open", "Command2", [this] { creator_.Command2_Click(); }, tab),
                  row - 1, 2);
  const std::pair<const char*, TextBox*> colours[] = {{"Background :", &creator_.Text5},
                                                      {"Text :", &creator_.Text6},
                                                      {"Hyperlink :", &creator_.Text7},
                                                      {"Visited Hyperlink :", &creator_.Text8},
                                                      {"Active Hyprlink :", &creator_.Text9}};
  for (int i = 0; i < 5; ++i) {
    const int button = i + 4;
    field(colours[i].first, *colours[i].second,
          QStringLiteral("Text%1").arg(i + 5).toLatin1().constData());
    grid->addWidget(ui_.button(
                        "C", QStringLiteral("Command%1").arg(button),
                        [this, button] { creator_.Command_C_Click(button); }, tab),
                    row - 1, 2);
  }
  field("E-Mail :", creator_.Text16, "Text16");
  grid->addWidget(ui_.caption(QStringLiteral("Table Style (HTML)"), tab), row, 0);
  QPlainTextEdit* tableStyle = ui_.textEdit(creator_.Text2, QStringLiteral("Text2"), tab);
  connect(tableStyle, &QPlainTextEdit::textChanged, this,
          [this] { runGuarded([this] { creator_.pagePropertiesEdited(); }); });
  grid->addWidget(tableStyle, row++, 1, 1, 3);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(ui_.button(
      "Page Style", "Command1", [this] { creator_.Command1_Click(); }, tab));
  buttons->addWidget(ui_.button(
      "Preview", "Command15", [this] { creator_.Command15_Click(); }, tab));
  grid->addLayout(buttons, row, 1);
  grid->setColumnStretch(1, 1);
  return tab;
}

QWidget* FormCreatorView::makeFieldsTab() {
  auto* tab = new QWidget;
  auto* grid = new QGridLayout(tab);
  QComboBox* names = ui_.comboBox(
      creator_.Combo3, "Combo3", [this] { creator_.Combo3_Click(); }, tab);
  names->setEditable(true);
  grid->addWidget(ui_.caption(QStringLiteral("Field Name"), tab), 0, 0);
  grid->addWidget(names, 0, 1);
  grid->addWidget(ui_.caption(QStringLiteral("Field Type"), tab), 1, 0);
  grid->addWidget(ui_.comboBox(
                      creator_.Combo2, "Combo2", [this] { creator_.Combo2_Click(); }, tab),
                  1, 1);
  grid->addWidget(ui_.caption(QStringLiteral("Appropriate text for this field"), tab), 2, 0);
  grid->addWidget(ui_.lineEdit(creator_.Text12, QStringLiteral("Text12"), tab), 2, 1);
  grid->addWidget(ui_.listBox(
                      creator_.List1, "List1", nullptr, [this] { creator_.List1_DblClick(); }, tab),
                  3, 0, 1, 2);
  auto* buttons = new QVBoxLayout;
  buttons->addWidget(ui_.button(
      "Add", "Command10", [this] { creator_.Command10_Click(); }, tab));
  buttons->addWidget(ui_.button(
      "Delete", "Command9", [this] { creator_.Command9_Click(); }, tab));
  buttons->addWidget(ui_.button(
      "Up", "Command11", [this] { creator_.Command11_Click(); }, tab));
  buttons->addWidget(ui_.button(
      "Down", "Command12", [this] { creator_.Command12_Click(); }, tab));
  buttons->addWidget(ui_.button(
      "Preview", "Command16", [this] { creator_.Command16_Click(); }, tab));
  buttons->addWidget(ui_.checkBox(creator_.chkFormScript, QStringLiteral("chkFormScript"), nullptr, tab));
  buttons->addWidget(ui_.button(
      "Save", "Command18", [this] { creator_.Command18_Click(); }, tab));
  buttons->addStretch(1);
  grid->addLayout(buttons, 0, 2, 4, 1);
  grid->setRowStretch(3, 1);
  grid->setColumnStretch(1, 1);
  return tab;
}

QWidget* FormCreatorView::makeResponsesTab(MailboxIntake* intake) {
  auto* tab = new QWidget;
  auto* grid = new QGridLayout(tab);
  grid->addWidget(ui_.caption(QStringLiteral("Form Name :"), tab), 0, 0);
  grid->addWidget(ui_.comboBox(
                      creator_.Combo5, "Combo5", [this] { creator_.Combo5_Click(); }, tab),
                  0, 1);
  grid->addWidget(ui_.listBox(creator_.List2, "List2", nullptr, nullptr, tab), 1, 0, 4, 2);
  auto* mailbox = new QGridLayout;
  if (intake != nullptr) addMailbox(*intake, *mailbox, tab);
  int row = mailbox->rowCount();
  const std::pair<const char*, TextBox*> boxes[] = {
      {"Subgect:", &creator_.subject}, {"From:", &creator_.f_rom},
      {"Date", &creator_.d_ate},       {"respondID:", &creator_.txtFields},
      {"fieldName", &creator_.Text17}, {"fieldValue", &creator_.Text18}};
  const char* names[] = {"subject", "f_rom", "d_ate", "txtFields", "Text17", "Text18"};
  for (std::size_t i = 0; i < std::size(boxes); ++i) {
    ui_.labelledLineEdit(*mailbox, row++, QLatin1String(boxes[i].first), *boxes[i].second,
                         QLatin1String(names[i]));
  }
  grid->addLayout(mailbox, 0, 2, 5, 2);
  grid_ = new QTableWidget(tab);
  grid_->setObjectName(QStringLiteral("grdDataGrid"));
  grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
  grid_->verticalHeader()->hide();
  connect(grid_, &QTableWidget::currentCellChanged, this,
          [this](int row) { creator_.gridRow = row; });
  grid->addWidget(grid_, 5, 0, 1, 4);
  grid->addWidget(ui_.button(
                      "Delete", "Command151", [this] { creator_.Command151_Click(); }, tab),
                  6, 3);
  grid->setRowStretch(5, 1);
  return tab;
}

void FormCreatorView::addMailbox(MailboxIntake& intake, QGridLayout& layout, QWidget* parent) {
  int row = 0;
  const auto field = [&](const char* caption, TextBox& box, const char* name) {
    return ui_.labelledLineEdit(layout, row++, QLatin1String(caption), box, QLatin1String(name));
  };
  field("POP Host:", intake.PopHost, "PopHost");
  field("User Name:", intake.PopUserName, "PopUserName");
  field("Password:", intake.PopPassword, "PopPassword")->setEchoMode(QLineEdit::Password);
  field("E-Mail:", intake.Email, "Email")->setReadOnly(true);
  layout.addWidget(ui_.checkBox(
                       intake.chkHostDelete, QStringLiteral("chkHostDelete"),
                       [&intake] { intake.chkHostDelete_Click(); }, parent),
                   row, 0);
  layout.addWidget(ui_.checkBox(
                       intake.chkKeepPassword, QStringLiteral("chkKeepPassword"), [] {}, parent),
                   row++, 1);
  layout.addWidget(ui_.button(
                       intake.cmdGetMail, QStringLiteral("cmdGetMail"),
                       [&intake] { intake.cmdGetMail_Click(); }, parent),
                   row++, 1);
  layout.addWidget(ui_.label(intake.lblPercentage, QStringLiteral("lblPercentage"), parent), row,
                   0);
  QPlainTextEdit* log = ui_.textEdit(intake.Text18, QStringLiteral("IntakeLog"), parent);
  log->setReadOnly(true);
  layout.addWidget(log, row, 1);
}

void FormCreatorView::showDialog(std::shared_ptr<FieldDialog> dialog) {
  auto* view = new FieldDialogView(std::move(dialog), this);
  view->show();
}

void FormCreatorView::showResponses() {
  const ResponseGrid& responses = creator_.grdDataGrid;
  grid_->clear();
  grid_->setColumnCount(static_cast<int>(responses.columns.size()));
  grid_->setRowCount(static_cast<int>(responses.rows.size()));
  QStringList headers;
  for (const std::string& column : responses.columns) headers << qt(column);
  grid_->setHorizontalHeaderLabels(headers);
  for (std::size_t row = 0; row < responses.rows.size(); ++row) {
    for (std::size_t column = 0; column < responses.rows[row].size(); ++column) {
      grid_->setItem(static_cast<int>(row), static_cast<int>(column),
                     new QTableWidgetItem(qt(responses.rows[row][column])));
    }
  }
}

void FormCreatorView::windowClosing() {
  runGuarded([this] { creator_.Form_Unload(); });
}

}  // namespace vendaro
