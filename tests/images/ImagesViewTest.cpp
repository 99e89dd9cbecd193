#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <QUrl>
#include <QWebEngineView>
#include <QtTest>
#include <string>

#include "app/WorkbenchView.h"
#include "images/ImageFeatures.h"
#include "platform/Settings.h"
#include "tests/qt/GuiWatchdog.h"
#include "tests/support/TempFolder.h"

namespace vendaro {
namespace {

constexpr int kPageLoadTimeoutMs = 30000;

std::string fileAddress(const std::filesystem::path& path) {
  return QUrl::fromLocalFile(QString::fromStdString(path.string())).toString().toStdString();
}

std::string page(const std::string& title, const std::string& body) {
  return "<html><head><title>" + title + "</title></head><body>" + body + "</body></html>";
}

bool showsBufferPage(const Browser& pane, std::size_t pictures) {
  const auto document = pane.Document();
  if (!document || document->images.size() != pictures) return false;
  for (const PageElement& element : document->all) {
    if (element.tagName == "FONT" && element.outerText == "Report") return true;
  }
  return false;
}

// Opens the page titled `title` in the main pane; true once it has completed.
bool browse(WorkbenchView& workbench, const testing::TempFolder& folder, const std::string& title) {
  QtWebBrowser& pane = workbench.webBrowser1();
  pane.Navigate(fileAddress(folder.file(title + ".htm")));
  return QTest::qWaitFor([&] { return pane.Document() && pane.Document()->title == title; },
                         kPageLoadTimeoutMs);
}

// Answers the next save dialog with `path`.
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
  static void initMain() {
    testing::GuiWatchdog::start(VENDARO_WATCHDOG_SECONDS);
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  }

 private slots:
  void gathersThePicturesOfBrowsedPagesShowsThemAndSavesACatalog();
};

void ImagesViewTest::gathersThePicturesOfBrowsedPagesShowsThemAndSavesACatalog() {
  testing::TempFolder folder;
  folder.write("vendaro.toml", "[vendor]\nbase_url = \"" + fileAddress(folder.path()) +
                                   "\"\n[folders]\noutput = \"out\"\n");
  folder.write("welcome.htm", page("Welcome", ""));
  folder.write("One.htm", page("One", "<img src='a.gif'><img src='b.gif'>"));
  folder.write("Two.htm", page("Two", "<img src='b.gif'><a href='Three.htm'>on</a>"));
  folder.write("Three.htm",
               page("Three", "<a id='big' href='big.jpg' onclick='return false'>big</a>"));

  WorkbenchView workbench(AppContext{folder.path(), Settings::load(folder.path())});
  workbench.start();
  Form1View& window = *workbench.window();
  QVERIFY(QTest::qWaitForWindowExposed(&window));
  Form1& form = workbench.form();
  for (const char* title : {"One", "Two", "Three"}) QVERIFY(browse(workbench, folder, title));
  auto* panel4 = window.findChild<QLabel*>("StatusBar1Panel4");
  QTRY_COMPARE_WITH_TIMEOUT(panel4->text(), QStringLiteral("Found -  3 pictures ! "),
                            kPageLoadTimeoutMs);
  const std::string big = fileAddress(folder.file("big.jpg"));
  QCOMPARE(form.List2.items(), (std::vector<std::string>{fileAddress(folder.file("a.gif")),
                                                         fileAddress(folder.file("b.gif")), big}));

  // A click on panel 4 shows the buffer page in the main pane.
  QTest::mouseClick(panel4, Qt::LeftButton);
  QTRY_VERIFY_WITH_TIMEOUT(showsBufferPage(workbench.webBrowser1(), 3), kPageLoadTimeoutMs);

  // A click on the link to the big picture puts it into the catalog "Cars".
  QVERIFY(browse(workbench, folder, "Three"));
  form.Combo1.AddItem("Cars");
  form.Combo1.setListIndex(0);
  auto* view = qobject_cast<QWebEngineView*>(workbench.webBrowser1().widget());
  QVERIFY(view != nullptr);
  view->page()->runJavaScript(QStringLiteral("document.getElementById('big').click()"));
  QTRY_COMPARE_WITH_TIMEOUT(form.List2.ListCount(), 2, kPageLoadTimeoutMs);

  // "Save catalog" writes it where the user says; it reads back whole.
  QTimer answer;
  answerSaveDialog(answer, folder.file("cars.htm"));
  window.findChild<QAction*>("savecatalog")->trigger();
  QCOMPARE(folder.read("cars.htm"), "<html>\r\n\r\n<title>Catalog</title><body><img src='" + big +
                                        "'></body>\r\n</html>\r\n");

  // The main window writes the buffer at close and at destruction.
  window.findChild<QAction*>("exit")->trigger();
  QTRY_VERIFY(!window.isVisible());
  workbench.finish();
  const std::string buffer = "<html><body><img src='" + fileAddress(folder.file("a.gif")) +
                             "'><img src='" + fileAddress(folder.file("b.gif")) +
                             "'></body></html>";
  QCOMPARE(folder.read("error.htm"), "\"" + buffer + "\"\r\n");
  QCOMPARE(folder.read("error1.htm"), buffer + "\r\n");
}

}  // namespace vendaro

QTEST_MAIN(vendaro::ImagesViewTest)
#include "ImagesViewTest.moc"
