#include <QDir>
#include <QFileInfo>
#include <QMouseEvent>
#include <QPrinter>
#include <QProgressBar>
#include <QWebEngineView>
#include <filesystem>
#include <memory>
#include <string>

#include "app/Form1Layout.h"
#include "app/WorkbenchView.h"
#include "orders/OrderSubsystem.h"
#include "store/StoreSubsystem.h"
#include "store/Wizard1.h"
#include "tests/qt/GuiTest.h"
#include "tests/support/TempFolder.h"

namespace vendaro {
namespace {

// The first page's background, looked for in the picture of the pane.
const QColor kPageColour(0x22, 0x88, 0x55);

std::string page(const std::string& title, const std::string& colour) {
  return "<html><head><title>" + title + "</title></head><body style='background:" + colour +
         "'><h1>" + title + "</h1></body></html>";
}

// Types `text` into the edit field of `box` in place of what is there, then Enter.
void typeAndEnter(QComboBox& box, const std::string& text) {
  box.lineEdit()->selectAll();
  QTest::keyClick(box.lineEdit(), Qt::Key_Backspace);
  QTest::keyClicks(box.lineEdit(), QString::fromStdString(text));
  QTest::keyClick(box.lineEdit(), Qt::Key_Return);
}

int windowsNamed(const QString& name) {
  int count = 0;
  for (QWidget* widget : QApplication::topLevelWidgets())
    count += widget->objectName() == name && widget->isVisible() ? 1 : 0;
  return count;
}

bool paneShowsColour(QWidget& pane, const QColor& colour) {
  const QImage picture = pane.grab().toImage();
  return !picture.isNull() && picture.pixelColor(picture.rect().center()) == colour;
}

}  // namespace

// One main window for all test functions; each goes on where the one before left it.
class MainWindowTest : public QObject {
  Q_OBJECT

 public:
  static void initMain() { testing::startWebGuiTest(); }

 private slots:
  void initTestCase();
  void addressBarOpensTypedAndChosenAddresses();
  void panesFillTheClientAreaAndSwitch();
  void toolbarDrawsItsButtonsLooksAndCommands();
  void toolWindowsOpenOnceAndAreRaisedAfterwards();
  void exitSavesTheAddressListAndClosesTheWizardOnly();

 private:
  bool mainPaneShows(const char* title) { return workbench->webBrowser1().LocationName() == title; }

  testing::TempFolder folder;
  std::unique_ptr<WorkbenchView> workbench;
  Form1View* window = nullptr;
  const std::string first = fileAddress(folder.file("first.htm"));
  const std::string second = fileAddress(folder.file("second.htm"));
};

void MainWindowTest::initTestCase() {
  // The vendor's start page comes from the test folder, so nothing leaves the machine.
  AppContext context;
  context.folder = folder.path();
  context.vendor.baseUrl = fileAddress(folder.path());
  folder.write("welcome.htm", page("Welcome", "white"));
  folder.write("first.htm", page("First test page", kPageColour.name().toStdString()));
  folder.write("second.htm", page("Second test page", "white"));
  workbench = std::make_unique<WorkbenchView>(context);
  workbench->start();
  window = workbench->window();
  QVERIFY(QTest::qWaitForWindowExposed(window));
  // The shown menus in order; hidden pop-up menus are not in the bar.
  QStringList captions;
  for (QAction* action : window->menuBar()->actions()) captions << action->text();
  QCOMPARE(captions, (QStringList{"File", "Edit", "Finder", "View", "Go", "Translation", "Vendaro",
                                  "Submit", "Help"}));
  // The entries the main window and the subsystems declared, each in its place.
  QString entries;
  for (QAction* menu : window->menuBar()->actions()) {
    for (QAction* entry : menu->menu()->actions()) {
      entries += (entry->isSeparator() ? QStringLiteral("-") : entry->text()) + QLatin1Char(',');
    }
    entries += QLatin1Char('|');
  }
  QCOMPARE(entries,
           QStringLiteral(
               "Open,Open Collection,Save As,-,Page setup,Print,-,Exit,|Copy,Select All,|"
               "Add Link,Get/Add all Links,-,Find e-mail,Find contact,Find keywords,-,"
               "Create Full Report,Read next,Create adult listing,Edit adult listing,|"
               "View catalog,Clear catalog,Save catalog,-,View image buf,Clear image buf,"
               "Save image buf,-,View report,Save report,Veiw report listing,View links listing,|"
               "Go back,Go Forward,Go Home,Go Search,-,Refresh,-,History,Channels,Private,"
               "Add favorites,|Portuguese to English,Spanish to English,Italian to English,"
               "German to English,French to English,English to Spanish,English to Portuguese,"
               "English to Italian,English to German,English to French,|Store Generator,Orders,"
               "Sales Overview,Form Generator,-,Web Editor,-,Publishing,|Analysis,Submitting,|"
               "Getting Started,How can I..?,Customization,-,About,|"));
}

void MainWindowTest::addressBarOpensTypedAndChosenAddresses() {
  auto* addressBar = window->findChild<QComboBox*>("Combo2");
  window->activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(window));
  addressBar->setFocus();
  QCOMPARE(addressBar->currentText(), QStringLiteral("http://"));

  // Enter adds the address to the list and opens it; the caption follows the page's title.
  typeAndEnter(*addressBar, first);
  QCOMPARE(addressBar->count(), 1);
  QTRY_VERIFY_WITH_TIMEOUT(mainPaneShows("First test page"), kPageLoadTimeoutMs);
  QCOMPARE(workbench->webBrowser1().LocationURL(), first);
  QTRY_COMPARE_WITH_TIMEOUT(window->windowTitle(), QStringLiteral("First test page"),
                            kPageLoadTimeoutMs);
  QTRY_COMPARE_WITH_TIMEOUT(workbench->webBrowser5().LocationName(), std::string("Welcome"),
                            kPageLoadTimeoutMs);

  // The page is drawn, not only loaded; keep a picture of the window.
  QTRY_VERIFY_WITH_TIMEOUT(paneShowsColour(*workbench->webBrowser1().widget(), kPageColour),
                           kPageLoadTimeoutMs);
  QVERIFY(window->grab().save(QStringLiteral(VENDARO_SCREENSHOT)));

  typeAndEnter(*addressBar, second);
  QTRY_VERIFY_WITH_TIMEOUT(mainPaneShows("Second test page"), kPageLoadTimeoutMs);
  // Leaving the address bar while its text equals an entry is not a choice of that entry.
  window->findChild<QComboBox*>("Combo1")->setFocus();
  QTRY_VERIFY(!addressBar->hasFocus());
  QCOMPARE(workbench->form().Combo2.ListIndex(), -1);

  // Choosing the first entry of the drop-down list opens it again.
  addressBar->showPopup();
  QAbstractItemView* popup = addressBar->view();
  QTRY_VERIFY(popup->isVisible());
  popup->setCurrentIndex(popup->model()->index(0, 0));
  QTest::keyClick(popup, Qt::Key_Return);
  QCOMPARE(workbench->form().Combo2.ListIndex(), 0);
  QCOMPARE(workbench->form().Combo2.Text(), first);
  QTRY_VERIFY_WITH_TIMEOUT(mainPaneShows("First test page"), kPageLoadTimeoutMs);
}

void MainWindowTest::panesFillTheClientAreaAndSwitch() {
  // The panes fill the client area below the bars, as the model lays them out;
  // switching shows the second pane (the caption is the model's test).
  auto* panes = window->findChild<QStackedWidget*>("browserPanes");
  QCOMPARE(panes->y(), Geometry::pixels(Form1Layout::kPanesTop));
  QCOMPARE(panes->width(), Geometry::pixels(workbench->form().layout.WebBrowser1.width));
  workbench->form().Picture23_MouseUp();
  QCOMPARE(panes->currentWidget(), workbench->webBrowser5().widget());
  workbench->form().Picture23_MouseUp();
  QCOMPARE(panes->currentWidget(), workbench->webBrowser1().widget());
}

// The picture buttons show the bitmaps written into the application folder,
// change their look under the pointer and run their commands; pictures of
// both looks are kept beside the window's.
void MainWindowTest::toolbarDrawsItsButtonsLooksAndCommands() {
  const QDir pictures = QFileInfo(QStringLiteral(VENDARO_SCREENSHOT)).dir();
  std::error_code ignored;
  auto* back = window->findChild<QLabel*>("Picture2");
  QVERIFY(back != nullptr);
  QCOMPARE(back->toolTip(), QStringLiteral("Go back"));
  QTRY_VERIFY(!back->pixmap().isNull());
  const QImage normal = back->pixmap().toImage();
  QVERIFY(window->grab().save(pictures.filePath(QStringLiteral("main-window-toolbar.png"))));
  QMouseEvent move(QEvent::MouseMove, QPointF(4, 4), back->mapToGlobal(QPointF(4, 4)), Qt::NoButton,
                   Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(back, &move);
  QVERIFY(back->pixmap().toImage() != normal);
  QVERIFY(window->grab().save(pictures.filePath(QStringLiteral("main-window-hover.png"))));

  // "Save As" writes the shown page; "Print" prints it, here into a PDF file.
  const std::string saved = folder.file("saved.htm").string();
  workbench->webBrowser1().chooseSaveFile = [saved](const std::string&) { return saved; };
  window->findChild<QAction*>("save_file")->trigger();
  QTRY_VERIFY_WITH_TIMEOUT(std::filesystem::file_size(saved, ignored) > 0, kPageLoadTimeoutMs);
  const QString pdf = pictures.filePath(QStringLiteral("printed-page.pdf"));
  QFile::remove(pdf);
  workbench->webBrowser1().setUpPrinter = [pdf](QPrinter& printer) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    return true;
  };
  window->findChild<QAction*>("print")->trigger();
  QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(pdf).size() > 0, kPageLoadTimeoutMs);

  // "Switch between browsers" answers any mouse button.
  auto* switchPanes = window->findChild<QLabel*>("Picture23");
  QTest::mouseClick(switchPanes, Qt::LeftButton);
  QCOMPARE(window->windowTitle(), QStringLiteral("Browser 2"));
  QTest::mouseClick(switchPanes, Qt::RightButton);
  QCOMPARE(window->windowTitle(), QStringLiteral("Browser 1"));
}

void MainWindowTest::toolWindowsOpenOnceAndAreRaisedAfterwards() {
  // "Orders" opens the viewer; a second time brings the same window forward.
  window->findChild<QAction*>("orders")->trigger();
  auto* viewer = workbench->toolWindowSlots().view(kOrderViewerForm);
  QVERIFY(viewer && QTest::qWaitForWindowExposed(viewer));
  QCOMPARE(viewer->windowTitle(), QStringLiteral("Orders"));
  QCOMPARE(viewer->findChild<QLabel*>("datPrimaryRSCaption")->text(),
           QStringLiteral("No orders yet"));
  window->findChild<QAction*>("orders")->trigger();
  QCOMPARE(workbench->toolWindowSlots().view(kOrderViewerForm), viewer);

  // "Store Generator" opens the wizard, its last tab showing the mail settings.
  window->findChild<QAction*>("stgen")->trigger();
  auto* wizardWindow = workbench->toolWindowSlots().view(kWizardForm);
  QVERIFY(wizardWindow && QTest::qWaitForWindowExposed(wizardWindow));
  QCOMPARE(wizardWindow->windowTitle(), QStringLiteral("Vendaro 2.0"));
  auto* tabs = wizardWindow->findChild<QTabWidget*>("SSTab1");
  QCOMPARE(tabs->tabText(tabs->count() - 1), QStringLiteral("E-Mail DB"));
  QCOMPARE(wizardWindow->findChild<QLineEdit*>("PopHost")->text(),
           QString::fromStdString(MailSettings{}.popHost));

  // A category set in the model and added with the button shows in the list.
  tabs->setCurrentIndex(1);
  workbench->toolWindowSlots().model<Wizard1>(kWizardForm)->Text1[0].setText("Shoes");
  auto* entry = wizardWindow->findChild<QLineEdit*>("Text1_0");
  QCOMPARE(entry->text(), QStringLiteral("Shoes"));
  QTest::mouseClick(wizardWindow->findChild<QPushButton*>("Command9"), Qt::LeftButton);
  auto* categories = wizardWindow->findChild<QListWidget*>("List1");
  QCOMPARE(categories->count(), 1);
  QCOMPARE(categories->item(0)->text(), QStringLiteral("Shoes"));
  QCOMPARE(entry->text(), QString());

  // "Show Orders" brings the one viewer forward.
  QTest::mouseClick(wizardWindow->findChild<QPushButton*>("Command151"), Qt::LeftButton);
  QCOMPARE(windowsNamed("frmOrders"), 1);

  // "Analysis" opens the submission tool; an added keyword shows in its list.
  window->findChild<QAction*>("analise")->trigger();
  auto* submission = workbench->toolWindowSlots().view("Submittion");
  QVERIFY(submission && QTest::qWaitForWindowExposed(submission));
  QCOMPARE(submission->windowTitle(), QStringLiteral("Submittion tool"));
  QTest::keyClicks(submission->findChild<QLineEdit*>("Text6"), "shoes");
  QTest::mouseClick(submission->findChild<QPushButton*>("Command1"), Qt::LeftButton);
  QCOMPARE(submission->findChild<QListWidget*>("List1")->count(), 1);
  QCOMPARE(submission->findChild<QProgressBar*>("ProgressBar1")->maximum(), 8);

  // "Web Editor" opens the editor window with its editing surface.
  window->findChild<QAction*>("webeditor")->trigger();
  QtToolWindow* editor = workbench->toolWindowSlots().view("MainForm");
  QVERIFY(editor != nullptr && editor->findChild<QWebEngineView*>("DHTMLEdit1") != nullptr);
}

void MainWindowTest::exitSavesTheAddressListAndClosesTheWizardOnly() {
  // Exit in the File menu closes the window, which saves the address list
  // and closes the wizard, not the order viewer; releasing it writes the last page.
  window->findChild<QAction*>("exit")->trigger();
  QTRY_VERIFY(!window->isVisible());
  QTRY_VERIFY(workbench->toolWindowSlots().view(kWizardForm) == nullptr);
  QVERIFY(workbench->toolWindowSlots().view(kOrderViewerForm)->isVisible());
  QCOMPARE(folder.read("lb.prv"), "\"" + first + "\r\n" + second + "\r\n\"\r\n");
  workbench->finish();
  QVERIFY(workbench->window() == nullptr);
  QCOMPARE(folder.read("error1.htm"), std::string("<html><body></body></html>\r\n"));
}

}  // namespace vendaro

QTEST_MAIN(vendaro::MainWindowTest)
#include "MainWindowTest.moc"
