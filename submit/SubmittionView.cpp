#include "submit/SubmittionView.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "platform/qt/QtGuard.h"
#include "platform/qt/QtProgressBarBinding.h"

namespace vendaro {
namespace {

constexpr int kInitialWidth = 760;
constexpr int kInitialHeight = 560;

}  // namespace

SubmittionView::SubmittionView(Submittion& window) : window_(window) {
  setObjectName(QLatin1String(Submittion::kFormName));
  setWindowTitle(QLatin1String(Submittion::kCaption));
  auto* tabs = new QTabWidget(this);
  tabs->setObjectName(QStringLiteral("SSTab1"));
  tabs->addTab(makeAnalysisTab(), QStringLiteral("Analysis"));
  tabs->addTab(makeSynthesisTab(), QStringLiteral("Synthesis"));
  tabs->addTab(makeCreationTab(), QStringLiteral("Creation"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(tabs, 1);
  layout->addWidget(ui_.statusPanels(window_.research.StatusBar1, QStringLiteral("StatusBar1"),
                                     QtStatusBarBinding::Widths::Equal, this));
  resize(kInitialWidth, kInitialHeight);
}

QProgressBar* SubmittionView::progressBar(ProgressBar& bar, const QString& name, QWidget* parent) {
  auto* widget = new QProgressBar(parent);
  widget->setObjectName(name);
  new QtProgressBarBinding(bar, *widget);
  return widget;
}

QWidget* SubmittionView::makeAnalysisTab() {
  KeywordResearch& research = window_.research;
  auto* tab = new QWidget;
  auto* grid = new QGridLayout(tab);
  ui_.labelledLineEdit(*grid, 0, QStringLiteral("Company Name"), research.Text3,
                       QStringLiteral("Text3"));
  ui_.labelledLineEdit(*grid, 1, QStringLiteral("E-Mail"), research.Text4, QStringLiteral("Text4"));
  ui_.labelledLineEdit(*grid, 2, QStringLiteral("Contact Name"), research.Text5,
                       QStringLiteral("Text5"));
  grid->addWidget(ui_.caption(QStringLiteral("Project Name"), tab), 3, 0);
  grid->addWidget(ui_.comboBox(
                      research.Combo1, QStringLiteral("Combo1"), [] {}, tab),
                  3, 1);
  grid->addWidget(
      ui_.caption(QStringLiteral("Enter here the keywords , You would like Your Web to be found "),
                  tab),
      4, 0, 1, 3);
  QLineEdit* keyword = ui_.lineEdit(research.Text6, QStringLiteral("Text6"), tab);
  // Enter adds the keyword, as "Add keyword" does.
  connect(keyword, &QLineEdit::returnPressed, this,
          [&research] { runGuarded([&research] { research.Command1_Click(); }); });
  grid->addWidget(keyword, 5, 0, 1, 2);
  grid->addWidget(ui_.button(
                      QStringLiteral("Add keyword"), QStringLiteral("Command1"),
                      [&research] { research.Command1_Click(); }, tab),
                  5, 2);
  grid->addWidget(ui_.listBox(
                      research.List1, QStringLiteral("List1"), [] {},
                      [&research] { research.List1_DblClick(); }, tab),
                  6, 0, 1, 2);
  grid->addWidget(ui_.button(
                      QStringLiteral("Search"), QStringLiteral("Command5"),
                      [&research] { research.Command5_Click(); }, tab),
                  6, 2);
  grid->addWidget(progressBar(research.ProgressBar1, QStringLiteral("ProgressBar1"), tab), 7, 0, 1,
                  3);
  grid->addWidget(ui_.caption(QStringLiteral("Search result"), tab), 8, 0);
  grid->addWidget(ui_.listBox(
                      research.List2, QStringLiteral("List2"), [] {}, [] {}, tab),
                  9, 0, 1, 2);
  grid->addWidget(ui_.button(
                      QStringLiteral("Read"), QStringLiteral("Command6"),
                      [&research] { research.Command6_Click(); }, tab),
                  9, 2);
  grid->addWidget(progressBar(research.ProgressBar2, QStringLiteral("ProgressBar2"), tab), 10, 0, 1,
                  3);
  grid->addWidget(ui_.listBox(
                      research.List3, QStringLiteral("List3"), [] {}, [] {}, tab),
                  11, 0);
  grid->addWidget(ui_.listBox(
                      research.List4, QStringLiteral("List4"), [] {}, [] {}, tab),
                  11, 1);
  grid->addWidget(ui_.listBox(
                      research.List5, QStringLiteral("List5"), [] {}, [] {}, tab),
                  11, 2);
  return tab;
}

QWidget* SubmittionView::makeSynthesisTab() {
  KeywordPages& pages = window_.pages;
  auto* tab = new QWidget;
  auto* grid = new QGridLayout(tab);
  const struct {
    const char* get;
    const char* getName;
    std::function<void()> getClick;
    const char* saveName;
    std::function<void()> saveClick;
    ListControl& blocks;
    const char* blocksName;
    Label& counter;
    const char* counterName;
  } columns[] = {
      {"Get titles", "Command7", [&pages] { pages.Command7_Click(); }, "Command10",
       [&pages] { pages.Command10_Click(); }, pages.List6, "List6", pages.Label13, "Label13"},
      {"Get descriptions", "Command8", [&pages] { pages.Command8_Click(); }, "Command11",
       [&pages] { pages.Command11_Click(); }, pages.List7, "List7", pages.Label14, "Label14"},
      {"Get keywords", "Command9", [&pages] { pages.Command9_Click(); }, "Command12",
       [&pages] { pages.Command12_Click(); }, pages.List8, "List8", pages.Label15, "Label15"}};
  grid->addWidget(ui_.textEdit(pages.Text1, QStringLiteral("Text1"), tab), 1, 0, 1, 3);
  int column = 0;
  for (const auto& each : columns) {
    grid->addWidget(
        ui_.button(QLatin1String(each.get), QLatin1String(each.getName), each.getClick, tab), 0,
        column);
    grid->addWidget(
        ui_.button(QStringLiteral("Save"), QLatin1String(each.saveName), each.saveClick, tab), 2,
        column);
    grid->addWidget(ui_.listBox(
                        each.blocks, QLatin1String(each.blocksName), [] {}, [] {}, tab),
                    3, column);
    grid->addWidget(ui_.label(each.counter, QLatin1String(each.counterName), tab), 4, column);
    ++column;
  }
  grid->addWidget(ui_.label(pages.Label11, QStringLiteral("Label11"), tab), 5, 0, 1, 3);
  return tab;
}

QWidget* SubmittionView::makeCreationTab() {
  KeywordPages& pages = window_.pages;
  auto* tab = new QWidget;
  auto* grid = new QGridLayout(tab);
  grid->addWidget(ui_.label(pages.Label12, QStringLiteral("Label12"), tab), 0, 0, 1, 3);
  ui_.labelledLineEdit(*grid, 1, QStringLiteral("Title"), pages.Text7, QStringLiteral("Text7"));
  ui_.labelledLineEdit(*grid, 2, QStringLiteral("URL"), pages.Text8, QStringLiteral("Text8"));
  grid->addWidget(ui_.button(
                      QStringLiteral("Get"), QStringLiteral("Command13"),
                      [&pages] { pages.Command13_Click(); }, tab),
                  2, 2);
  grid->addWidget(ui_.button(
                      QStringLiteral("Add"), QStringLiteral("Command14"),
                      [&pages] { pages.Command14_Click(); }, tab),
                  3, 2);
  grid->addWidget(ui_.caption(QStringLiteral("Links listing"), tab), 3, 0);
  grid->addWidget(
      ui_.listBox(
          pages.List9, QStringLiteral("List9"), [] {}, [&pages] { pages.List9_DblClick(); }, tab),
      4, 0, 1, 3);
  const struct {
    const char* caption;
    const char* name;
    std::function<void()> click;
  } buttons[] = {{"Generate", "Command15", [&pages] { pages.Command15_Click(); }},
                 {"Edit", "Command16", [&pages] { pages.Command16_Click(); }},
                 {"Publish", "Command18", [&pages] { pages.Command18_Click(); }}};
  int column = 0;
  for (const auto& each : buttons) {
    grid->addWidget(
        ui_.button(QLatin1String(each.caption), QLatin1String(each.name), each.click, tab), 5,
        column++);
  }
  return tab;
}

}  // namespace vendaro
