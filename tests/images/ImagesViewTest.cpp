#include <QWebEngineView>

#include "app/WorkbenchView.h"
#include "tests/qt/GuiTest.h"
#include "tests/support/TempFolder.h"

namespace vendaro {
namespace {

// Waits until the main pane's page has completed with the predicate true.
template <typename Predicate>
bool waitForPage(QtWebBrowser& pane, Predicate predicate) {
  return QTest::qWaitFor([&] { return pane.Document() && predicate(*pane.Document()); },
                         kPageLoadTimeoutMs);
}

void answerSaveDialog(QTimer& timer, const std::filesystem::path& path) {
  QObject::connect(&timer, &QTimer::timeout, [&timer, path] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    if (dialog == nullptr) return;
    timer.stop();
    dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))
        ->setText(QString::fromStdString(path.string()));
    QMetaObject::invokeMethod(dialog, "accept");
  });
  timer.start(50);
}

}  // namespace

class ImagesViewTest : public QObject {
  Q_OBJECT

 public:
  static void initMain() { testing::startWebGuiTest(); }

 private slots:
  void gathersThePicturesOfBrowsedPagesShowsThemAndSavesACatalog();
};

void ImagesViewTest::gathersThePicturesOfBrowsedPagesShowsThemAndSavesACatalog() {
  testing::TempFolder folder;
  folder.write("One.htm", "<title>One</title><img src='a.gif'><img src='b.gif'>");
  folder.write("Two.htm", "<title>Two</title><img src='b.gif'><a href='One.htm'>one</a>");
  folder.write("Three.htm", "<title>Three</title><a id='big' href='big.jpg'>big</a>");
  const std::string big = fileAddress(folder.file("big.jpg"));

  AppContext context;
  context.folder = folder.path();
  context.vendor.baseUrl = fileAddress(folder.path());
  WorkbenchView workbench(context);
  workbench.start();
  Form1View& window = *workbench.window();
  QVERIFY(QTest::qWaitForWindowExposed(&window));
  Form1& form = workbench.form();
  QtWebBrowser& pane = workbench.webBrowser1();
  for (const std::string title : {"One", "Two", "Three"}) {
    pane.Navigate(fileAddress(folder.file(title + ".htm")));
    QVERIFY(waitForPage(pane, [&](const PageDocument& page) { return page.title == title; }));
  }
  auto* panel4 = window.findChild<QLabel*>("StatusBar1Panel4");
  QCOMPARE(panel4->text(), QStringLiteral("Found -  3 pictures ! "));

  // A click on panel 4 shows the buffer page in the main pane.
  QTest::mouseClick(panel4, Qt::LeftButton);
  QVERIFY(waitForPage(pane, [](const PageDocument& page) { return page.images.size() == 3; }));

  // A click on the link to the big picture (kept from navigating) puts it
  // into the catalog "Cars"; "Save catalog" writes it where the user says.
  pane.Navigate(fileAddress(folder.file("Three.htm")));
  QVERIFY(waitForPage(pane, [](const PageDocument& page) { return page.title == "Three"; }));
  form.Combo1.AddItem("Cars");
  form.Combo1.setListIndex(0);
  qobject_cast<QWebEngineView*>(pane.widget())
      ->page()
      ->runJavaScript(QStringLiteral("var big = document.getElementById('big');"
                                     "big.onclick = function () { return false; }; big.click();"));
  QTRY_COMPARE_WITH_TIMEOUT(form.saved.List2.ListCount(), 2, kPageLoadTimeoutMs);
  QTimer answer;
  answerSaveDialog(answer, folder.file("cars.htm"));
  window.findChild<QAction*>("savecatalog")->trigger();
  QCOMPARE(folder.read("cars.htm"), "<html>\r\n\r\n<title>Catalog</title><body><img src='" + big +
                                        "'></body>\r\n</html>\r\n");
}

}  // namespace vendaro

QTEST_MAIN(vendaro::ImagesViewTest)
#include "ImagesViewTest.moc"
