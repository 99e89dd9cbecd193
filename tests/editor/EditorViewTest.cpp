#include <QWebEngineView>
#include <regex>

#include "editor/MainForm.h"
#include "editor/MainFormView.h"
#include "platform/qt/QtWebEditControl.h"
#include "tests/qt/GuiTest.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TempFolder.h"

namespace vendaro {
namespace {

int count(const std::string& html, const std::string& pattern) {
  const std::regex re(pattern);
  return static_cast<int>(std::distance(std::sregex_iterator(html.begin(), html.end(), re),
                                        std::sregex_iterator()));
}

}  // namespace

class EditorViewTest : public QObject {
  Q_OBJECT

 public:
  static void initMain() { testing::startWebGuiTest(); }

 private slots:
  void editsAPageInTheEditorWindowAndSavesWhatWasDone();

 private:
  // Runs `script` in the page and waits until the surface's state says `done`.
  template <typename Done>
  bool edit(const char* script, Done done) {
    view()->page()->runJavaScript(QString::fromLatin1(script));
    return QTest::qWaitFor(done, kPageLoadTimeoutMs);
  }
  bool html(const std::string& pattern, int times) {
    return QTest::qWaitFor([&] { return count(surface_->DocumentHTML(), pattern) == times; }, 10000);
  }
  QWebEngineView* view() { return qobject_cast<QWebEngineView*>(surface_->widget()); }

  QtWebEditControl* surface_ = nullptr;
};

void EditorViewTest::editsAPageInTheEditorWindowAndSavesWhatWasDone() {
  testing::TempFolder folder;
  folder.write("page.htm", "<html><body><p id='p1'>Hello world</p><p>Next</p></body></html>");
  testing::ScriptedDialogs dialogs;
  QtWebEditControl surface(dialogs);
  surface_ = &surface;
  MainForm form(surface, dialogs, folder.file("back.htm"));
  auto window = std::make_unique<MainFormView>(form, *surface.widget());
  window->show();
  QVERIFY(QTest::qWaitForWindowExposed(window.get()));
  form.openPage(folder.file("page.htm"));
  QCOMPARE(window->windowTitle().toStdString(), "Quillet - " + folder.file("page.htm").string());
  QVERIFY(QTest::qWaitFor([&] { return surface.ready() && form.documentLoaded(); }, kPageLoadTimeoutMs));
  QCOMPARE(form.Format.childCount(), 16);
  QVERIFY(!surface.Modified());

  // Bold on a selected word, shown pressed on the toolbar; undone.
  QVERIFY(edit("var t = document.getElementById('p1').firstChild;"
               "getSelection().setBaseAndExtent(t, 6, t, 11);",
               [&] { return surface.QueryStatus(5000) == 3; }));
  form.Toolbar1_ButtonClick("Bold");
  QVERIFY(html("<b>world</b>", 1));
  QTRY_VERIFY(window->findChild<QAction*>("Bold")->isChecked());
  surface.ExecCommand(5049);
  QVERIFY(html("<b>", 0));

  // Inserted markup stays as given, and undo takes it out again.
  surface.PasteHTML("<p class=\"promo\">Sale</p>");
  QVERIFY(html("<p class=\"promo\">Sale</p>", 1));
  QVERIFY(html("style=|<span", 0));
  QVERIFY(surface.Modified());
  surface.ExecCommand(5049);
  QVERIFY(html("promo", 0));

  // A list, then a table with a row and a column added, two cells merged.
  surface.ExecCommand(5051);
  QVERIFY(html("<ul><li>", 1));
  InsertTableParam table;
  table.Caption = "Prices";
  surface.InsertTable(table);
  QVERIFY(html("<td", 4));
  QVERIFY(html("&nbsp;", 0));  // empty cells, no stray character
  QVERIFY(edit("getSelection().collapse(document.querySelector('td'), 0);",
               [&] { return surface.QueryStatus(5021) == 3; }));
  surface.ExecCommand(5021);
  QVERIFY(html("<tr", 3));
  surface.ExecCommand(5020);
  QVERIFY(html("<td", 9));
  surface.ExecCommand(5029);
  QVERIFY(html("colspan=\"2\"", 1));
  QVERIFY(html("<td", 8));

  // Absolute positioning of the list's block, then undone.
  QVERIFY(edit("getSelection().collapse(document.querySelector('li').firstChild, 1);",
               [&] { return surface.QueryStatus(5028) == 3; }));
  surface.ExecCommand(5028);
  QVERIFY(html("position: absolute", 1));
  QTRY_COMPARE(surface.QueryStatus(5040), 3);
  surface.ExecCommand(5049);
  QVERIFY(html("position: absolute", 0));
  QVERIFY(html("<td", 8));

  // What was done is what is saved.
  QVERIFY(surface.SaveDocument(folder.file("saved.htm").string()));
  const std::string saved = folder.read("saved.htm");
  QCOMPARE(saved, surface.DocumentHTML());
  QVERIFY(!surface.Modified());
  QCOMPARE(count(saved, "<caption>Prices</caption>"), 1);
  QCOMPARE(count(saved, "<tr"), 3);

  // A right click in a cell: the surface's menu has the table entries; "Insert Row" adds one.
  QTimer chooser;
  QObject::connect(&chooser, &QTimer::timeout, [&] {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (menu == nullptr || menu->actions().size() != 15) return;
    chooser.stop();
    menu->setActiveAction(menu->actions().at(10));
    QTest::keyClick(menu, Qt::Key_Return);
  });
  chooser.start(50);
  QTest::mouseClick(view()->focusProxy(), Qt::RightButton, {}, QPoint(100, 90));
  QVERIFY(html("<tr", 4));

  const QString screenshot = QStringLiteral(VENDARO_SCREENSHOT);
  QVERIFY(window->grab().save(screenshot));
  qInfo("Screenshot of the web editor: %s", qPrintable(screenshot));
  window.reset();
}

}  // namespace vendaro

QTEST_MAIN(vendaro::EditorViewTest)
#include "EditorViewTest.moc"
