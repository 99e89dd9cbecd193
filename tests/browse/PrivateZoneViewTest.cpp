#include <QWebEnginePage>
#include <QWebEngineView>
#include <iostream>

#include "app/AppContext.h"
#include "app/WorkbenchView.h"
#include "tests/qt/GuiTest.h"
#include "tests/support/LocalHttpServer.h"
#include "tests/support/TempFolder.h"

namespace vendaro {

class PrivateZoneViewTest : public QObject {
  Q_OBJECT

 public:
  static void initMain() { testing::startWebGuiTest(); }

 private slots:
  void entersWithTheRecordQuestionAndLeavesWithTheAddressBarBack();
};

namespace {

// Answers the next message box with `button` once it shows; keeps its text.
void answerNextMessage(QMessageBox::StandardButton button, QString* text, QString* title) {
  QTimer::singleShot(50, [=] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr) return answerNextMessage(button, text, title);
    *text = box->text();
    *title = box->windowTitle();
    box->button(button)->click();
  });
}

}  // namespace

void PrivateZoneViewTest::entersWithTheRecordQuestionAndLeavesWithTheAddressBarBack() {
  testing::TempFolder folder;
  testing::RefusingPort vendor;
  folder.write("vendaro.toml", "[vendor]\nbase_url = \"" + vendor.url("") + "\"\n");
  const auto context = openAppContext(folder.path().string(), std::cerr);
  QVERIFY(context.has_value());
  WorkbenchView workbench(*context);
  workbench.start();
  Form1View& window = *workbench.window();
  QVERIFY(QTest::qWaitForWindowExposed(&window));
  auto* panel2 = window.findChild<QLabel*>("StatusBar1Panel2");
  auto* addressBar = window.findChild<QComboBox*>("Combo2");
  // The toolbar's "Search Engine Listing " button appears once the vendor's
  // lists have ended (here: failed at once).
  auto* searchButton = window.findChild<QLabel*>("Picture8");
  QVERIFY(searchButton != nullptr);
  QTRY_VERIFY_WITH_TIMEOUT(searchButton->isVisible(), 30000);
  // The vendor cannot be reached: the main pane shows the shipped start page.
  QTRY_COMPARE_WITH_TIMEOUT(workbench.webBrowser1().LocationName(), std::string("Vendaro"), 30000);
  // The page's own scripts do not see the program's channel objects.
  auto* view = qobject_cast<QWebEngineView*>(workbench.webBrowser1().widget());
  auto seen = std::make_shared<QString>();
  view->page()->runJavaScript(QStringLiteral("typeof qt"),
                              [seen](const QVariant& result) { *seen = result.toString(); });
  QTRY_COMPARE(*seen, QStringLiteral("undefined"));

  QString question, title;
  answerNextMessage(QMessageBox::Yes, &question, &title);
  window.findChild<QAction*>("privatte")->trigger();
  QCOMPARE(question, QStringLiteral("Would You like keep a record ?"));
  QCOMPARE(title, QStringLiteral("Log in to private area"));
  QCOMPARE(panel2->text(), QStringLiteral("Your tracking will keeped !!! "));
  QVERIFY(!addressBar->isVisible());
  QVERIFY(!searchButton->isVisible());
  QVERIFY(window.findChild<QAction*>("sreport")->isEnabled());
  // The history button shows the private list over the pane, below the
  // toolbar and the bars, with a line that tells its gestures.
  workbench.form().commands.run("Picture10");
  auto* history = window.findChild<QListWidget*>("domain");
  QVERIFY(history->isVisible());
  QVERIFY(window.findChild<QLabel*>("domainHint")->isVisible());
  const QWidget* panes = window.findChild<QWidget*>("browserPanes");
  QVERIFY(history->mapTo(&window, QPoint(0, 0)).y() >= panes->mapTo(&window, QPoint(0, 0)).y());

  window.findChild<QAction*>("privatte")->trigger();
  QVERIFY(addressBar->isVisible());
  QCOMPARE(addressBar->currentText(), QString());
  QVERIFY(!window.findChild<QAction*>("sreport")->isEnabled());
  QVERIFY(searchButton->isVisible());
  QCOMPARE(panel2->text(), QStringLiteral("Public zone"));
}

}  // namespace vendaro

QTEST_MAIN(vendaro::PrivateZoneViewTest)
#include "PrivateZoneViewTest.moc"
