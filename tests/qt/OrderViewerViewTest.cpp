#include <QBarCategoryAxis>
#include <QBarSet>
#include <QChartView>
#include <QHorizontalBarSeries>
#include <string>
#include <tuple>

#include "orders/OrderViewer.h"
#include "orders/OrderViewerView.h"
#include "orders/SalesOverview.h"
#include "orders/SalesOverviewView.h"
#include "tests/qt/GuiTest.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestDatabase.h"

namespace vendaro {
namespace {

// Three orders whose customers sort differently from their numbers: carol
// (order 1, two lines), alice (order 2, one line), bob (order 3, no lines).
void seedOrders(Database& database) {
  for (const char* customer : {"carol@example.org", "alice@example.org", "bob@example.org"}) {
    database.insertRow("Orders",
                       {{"CustomerID", customer}, {"ShipName", std::string("Ship ") + customer}});
  }
  for (const auto& [order, product, quantity] :
       {std::tuple{1, "C100 ", 2}, std::tuple{1, "C200 ", 1}, std::tuple{2, "A100 ", 3}}) {
    database.insertRow("Order Details", {{"OrderID", order},
                                         {"ProductID", product},
                                         {"Quantity", quantity},
                                         {"Price", "25.00"},
                                         {"LineTotal", "50.00"}});
  }
}

QString gridCell(const QTableWidget& grid, int row, int column) {
  const QTableWidgetItem* item = grid.item(row, column);
  return item ? item->text() : QString();
}

QString boxText(const QWidget& window, int field) {
  return window.findChild<QLineEdit*>(QStringLiteral("txtFields%1").arg(field))->text();
}

// Two orders in October and December 2026 and one the year before, which the
// overview's first period (the twelve months up to 2026-12-07) leaves out.
void seedDatedOrders(Database& database) {
  const auto order = [&](const char* date, const char* shipping, const char* item,
                         const char* quantity, const char* total) {
    database.execute("INSERT INTO [Orders] (OrderDate, ShippingCost) VALUES (?, ?)",
                     {DbValue(std::string(date)), DbValue(std::string(shipping))});
    database.execute(
        "INSERT INTO [Order Details] (OrderID, ProductID, Quantity, Price, LineTotal) "
        "VALUES (last_insert_rowid(), ?, ?, '', ?)",
        {DbValue(std::string(item)), DbValue(std::string(quantity)), DbValue(std::string(total))});
  };
  order("2026-10-15", "", "A100", "2", "50.00");
  order("2026-12-03", "$ 5.00", "B200", "1", "10.00");
  order("2025-12-31", "", "C300", "1", "99.00");
}

QAbstractBarSeries* barsOf(const QWidget& window, const char* chart) {
  auto* view = window.findChild<QChartView*>(QLatin1String(chart));
  return qobject_cast<QAbstractBarSeries*>(view->chart()->series().at(0));
}

QList<qreal> valuesOf(const QWidget& window, const char* chart) {
  const QBarSet* set = barsOf(window, chart)->barSets().at(0);
  QList<qreal> values;
  for (int i = 0; i < set->count(); ++i) values << set->at(i);
  return values;
}

QStringList labelsOf(const QWidget& window, const char* chart) {
  const auto axes = barsOf(window, chart)->attachedAxes();
  for (QAbstractAxis* axis : axes) {
    if (auto* categories = qobject_cast<QBarCategoryAxis*>(axis)) return categories->categories();
  }
  return {};
}

}  // namespace

// The order windows on screen over seeded databases.
class OrderViewerViewTest : public QObject {
  Q_OBJECT

 public:
  static void initMain() { testing::startWebGuiTest(); }

 private slots:
  void orderViewerStepsThroughOrdersByCustomerWithTheirLines();
  void overviewDrawsTheYearsFiguresAsBarsAndRegroups();
};

void OrderViewerViewTest::orderViewerStepsThroughOrdersByCustomerWithTheirLines() {
  testing::TempFolder folder;
  testing::TestDatabase database(folder.file("Vendaro2.mdb"));
  seedOrders(database);
  testing::ScriptedDialogs dialogs;
  frmOrders form(database, dialogs);
  OrderViewerView window(form);
  window.show();
  QVERIFY(QTest::qWaitForWindowExposed(&window));
  QCOMPARE(window.windowTitle(), QStringLiteral("Orders"));

  auto* record = window.findChild<QLabel*>("datPrimaryRSCaption");
  auto* grid = window.findChild<QTableWidget*>("grdDataGrid");
  QCOMPARE(grid->horizontalHeaderItem(1)->text(), QStringLiteral("ProductID"));

  // Sorted by customer: alice, bob, carol, each with the lines of its own order.
  QCOMPARE(record->text(), QStringLiteral("Record: 1"));
  QCOMPARE(boxText(window, 1), QStringLiteral("alice@example.org"));
  QCOMPARE(grid->rowCount(), 1);
  QCOMPARE(gridCell(*grid, 0, 2), QStringLiteral("3"));

  auto* next = window.findChild<QToolButton*>("datPrimaryRSNext");
  QTest::mouseClick(next, Qt::LeftButton);
  QCOMPARE(record->text(), QStringLiteral("Record: 2"));
  QCOMPARE(boxText(window, 1), QStringLiteral("bob@example.org"));
  QCOMPARE(grid->rowCount(), 0);

  QTest::mouseClick(next, Qt::LeftButton);
  QCOMPARE(record->text(), QStringLiteral("Record: 3"));
  QCOMPARE(grid->rowCount(), 2);
  QCOMPARE(gridCell(*grid, 1, 1), QStringLiteral("C200 "));
  // Past the last order the window stays on it.
  QTest::mouseClick(next, Qt::LeftButton);
  QCOMPARE(record->text(), QStringLiteral("Record: 3"));

  QTest::mouseClick(window.findChild<QToolButton*>("datPrimaryRSPrevious"), Qt::LeftButton);
  QCOMPARE(boxText(window, 1), QStringLiteral("bob@example.org"));
  QTest::mouseClick(window.findChild<QToolButton*>("datPrimaryRSFirst"), Qt::LeftButton);
  QCOMPARE(record->text(), QStringLiteral("Record: 1"));
  QTest::mouseClick(window.findChild<QToolButton*>("datPrimaryRSLast"), Qt::LeftButton);
  QCOMPARE(record->text(), QStringLiteral("Record: 3"));

  // What the user types reaches the record with "&Update".
  auto* shipName = window.findChild<QLineEdit*>("txtFields3");
  shipName->selectAll();
  QTest::keyClicks(shipName, QStringLiteral("Carol Moss"));
  QTest::mouseClick(window.findChild<QPushButton*>("cmdUpdate"), Qt::LeftButton);
  QCOMPARE(
      database.select("SELECT ShipName FROM [Orders] WHERE OrderID = 1").rows.at(0).at(0).toText(),
      std::string("Carol Moss"));

  // The grid fills the record's width beside the list, with the bars below it.
  window.resize(1500, 900);
  auto* recordArea = window.findChild<QWidget*>("record");
  QTRY_VERIFY(recordArea->width() > 900);
  QTRY_COMPARE(grid->width(), recordArea->width());
  QVERIFY(grid->geometry().bottom() < window.findChild<QWidget*>("datPrimaryRS")->y());
  QVERIFY(dialogs.messages.empty());

  // The list beside the record, newest first, follows the record and moves it.
  auto* list = window.findChild<QTableView*>("lstOrders");
  QCOMPARE(list->model()->rowCount(), 3);
  QCOMPARE(list->model()->index(0, 0).data().toString(), QStringLiteral("3"));
  QCOMPARE(list->currentIndex().row(), 2);  // carol's order 1
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                    list->visualRect(list->model()->index(1, 2)).center());
  QCOMPARE(boxText(window, 1), QStringLiteral("alice@example.org"));
  QCOMPARE(window.findChild<QLabel*>("lblStatus")->text(), QStringLiteral("Status: new"));

  QTest::mouseClick(window.findChild<QPushButton*>("cmdClose"), Qt::LeftButton);
  QVERIFY(!window.isVisible());
}

void OrderViewerViewTest::overviewDrawsTheYearsFiguresAsBarsAndRegroups() {
  testing::TempFolder folder;
  testing::TestDatabase database(folder.file("Vendaro2.mdb"));
  seedDatedOrders(database);
  testing::ScriptedDialogs dialogs;
  SalesOverview form(database, dialogs, [] { return std::string("2026-12-07"); });
  SalesOverviewView window(form);
  window.show();
  QVERIFY(QTest::qWaitForWindowExposed(&window));
  QCOMPARE(window.findChild<QLabel*>("lblTotals")->text(),
           QStringLiteral("Orders counted: 2, revenue: 65.00, average order: 32.50"));

  QCOMPARE(labelsOf(window, "chartRevenue"),
           (QStringList{QStringLiteral("2026-10"), QStringLiteral("2026-11"),
                        QStringLiteral("2026-12")}));
  QCOMPARE(valuesOf(window, "chartRevenue"), (QList<qreal>{50.0, 0.0, 15.0}));
  // Lists as horizontal bars, drawn from the bottom up: the first on top.
  QVERIFY(qobject_cast<QHorizontalBarSeries*>(barsOf(window, "chartStatus")));
  QCOMPARE(valuesOf(window, "chartStatus"), (QList<qreal>{0, 0, 0, 0, 0, 2}));
  QCOMPARE(labelsOf(window, "chartStatus").last(), QStringLiteral("new"));
  QCOMPARE(labelsOf(window, "chartBestItems"),
           (QStringList{QStringLiteral("B200"), QStringLiteral("A100")}));
  QCOMPARE(valuesOf(window, "chartBestItems"), (QList<qreal>{10.0, 50.0}));

  // By day: every day from the first order to the last, each chart redrawn
  // with one series only.
  QTest::mouseClick(window.findChild<QRadioButton*>("optDay"), Qt::LeftButton);
  QCOMPARE(labelsOf(window, "chartRevenue").size(), 50);
  QCOMPARE(window.findChild<QChartView*>("chartRevenue")->chart()->series().size(), 1);
  QCOMPARE(window.findChild<QChartView*>("chartRevenue")->chart()->axes().size(), 2);

  // A wider period takes in last year's order.
  auto* from = window.findChild<QLineEdit*>("txtFrom");
  from->selectAll();
  QTest::keyClicks(from, QStringLiteral("2025-01-01"));
  QTest::mouseClick(window.findChild<QPushButton*>("cmdShow"), Qt::LeftButton);
  QCOMPARE(labelsOf(window, "chartBestItems").last(), QStringLiteral("C300"));
  QVERIFY(dialogs.messages.empty());

  QTest::mouseClick(window.findChild<QPushButton*>("cmdClose"), Qt::LeftButton);
  QVERIFY(!window.isVisible());
}

}  // namespace vendaro

QTEST_MAIN(vendaro::OrderViewerViewTest)
#include "OrderViewerViewTest.moc"
