#include <QBarCategoryAxis>
#include <QBarSet>
#include <QChartView>
#include <QHorizontalBarSeries>
#include <string>

#include "orders/SalesOverview.h"
#include "orders/SalesOverviewView.h"
#include "tests/qt/GuiTest.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestDatabase.h"

namespace vendaro {
namespace {

// Two orders in October and December 2026 and one the year before, which the
// overview's first period (the twelve months up to 2026-12-07) leaves out.
void seedOrders(Database& database) {
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

class SalesOverviewViewTest : public QObject {
  Q_OBJECT

 public:
  static void initMain() { testing::startWatchdog(); }

 private slots:
  void overviewDrawsTheYearsFiguresAsBarsAndRegroups();
};

void SalesOverviewViewTest::overviewDrawsTheYearsFiguresAsBarsAndRegroups() {
  testing::TempFolder folder;
  testing::TestDatabase database(folder.file("Vendaro2.mdb"));
  seedOrders(database);
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

QTEST_MAIN(vendaro::SalesOverviewViewTest)
#include "SalesOverviewViewTest.moc"
