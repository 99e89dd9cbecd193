#include <string>

#include "orders/OrderViewer.h"
#include "orders/OrderViewerView.h"
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
    database.execute("INSERT INTO [Orders] (CustomerID, ShipName) VALUES (?, ?)",
                     {DbValue(std::string(customer)), DbValue(std::string("Ship ") + customer)});
  }
  const auto line = [&](const char* order, const char* product, const char* quantity) {
    database.execute(
        "INSERT INTO [Order Details] (OrderID, ProductID, Quantity, Price, LineTotal) "
        "VALUES (?, ?, ?, ?, ?)",
        {DbValue(std::string(order)), DbValue(std::string(product)), DbValue(std::string(quantity)),
         DbValue(std::string("25.00")), DbValue(std::string("50.00"))});
  };
  line("1", "C100 ", "2");
  line("1", "C200 ", "1");
  line("2", "A100 ", "3");
}

QString gridCell(const QTableWidget& grid, int row, int column) {
  const QTableWidgetItem* item = grid.item(row, column);
  return item ? item->text() : QString();
}

QString boxText(const QWidget& window, int field) {
  return window.findChild<QLineEdit*>(QStringLiteral("txtFields%1").arg(field))->text();
}

}  // namespace

class OrderViewerViewTest : public QObject {
  Q_OBJECT

 public:
  static void initMain() { testing::startWebGuiTest(); }

 private slots:
  void orderViewerStepsThroughOrdersByCustomerWithTheirLines();
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

}  // namespace vendaro

QTEST_MAIN(vendaro::OrderViewerViewTest)
#include "OrderViewerViewTest.moc"
