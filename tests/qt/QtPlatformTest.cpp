#include <algorithm>
#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "platform/qt/QtCheckBoxBinding.h"
#include "platform/qt/QtDialogs.h"
#include "platform/qt/QtEventLoop.h"
#include "platform/qt/QtLauncher.h"
#include "platform/qt/QtListBoxBinding.h"
#include "platform/qt/QtTextEditBinding.h"
#include "tests/qt/GuiTest.h"
#include "tests/support/TempFolder.h"

namespace vendaro {

class QtPlatformTest : public QObject {
  Q_OBJECT

 public:
  static void initMain() { testing::startWatchdog(); }

 private slots:
  void postFromAnotherThreadRunsOnTheLoopThreadInOrder();
  void delayedTasksRunOnceInTimeOrderUnlessCancelled();
  void fileFilterTakesQtForm();
  void launcherSplitsProgramTextBeforeItsArguments();
  // Control-to-widget bindings whose conversions are easy to get wrong.
  void textEditShowsCrLfAsLineBreaksAndGivesTypedLinesBackWithCrLf();
  void checkBoxShowsGreyedAndAClickOnlyChecksOrClears();
  void listBoxFollowsEveryKindOfChange();
};

void QtPlatformTest::postFromAnotherThreadRunsOnTheLoopThreadInOrder() {
  QtEventLoop loop;
  std::vector<int> order;
  std::atomic<bool> wrongThread = false;
  QThread* const loopThread = QThread::currentThread();
  std::thread worker([&] {
    for (int i = 0; i < 100; ++i) {
      loop.post([&, i] {
        if (QThread::currentThread() != loopThread) wrongThread = true;
        order.push_back(i);
      });
    }
  });
  worker.join();
  QTRY_COMPARE(order.size(), std::size_t{100});
  QVERIFY(!wrongThread);
  for (int i = 0; i < 100; ++i) QCOMPARE(order[static_cast<std::size_t>(i)], i);
}

void QtPlatformTest::delayedTasksRunOnceInTimeOrderUnlessCancelled() {
  QtEventLoop loop;
  std::vector<std::string> ran;
  loop.postDelayed(60, [&] { ran.push_back("late"); });
  loop.postDelayed(5, [&] { ran.push_back("early"); });
  const auto cancelled = loop.postDelayed(20, [&] { ran.push_back("cancelled"); });
  // A task may cancel itself or start another one while it runs.
  EventLoop::TaskId self = 0;
  self = loop.postDelayed(10, [&] {
    loop.cancel(self);
    loop.postDelayed(0, [&] { ran.push_back("chained"); });
  });
  loop.cancel(cancelled);
  loop.cancel(9999);  // unknown ids are ignored

  // "late" is due after the cancelled task, so by the time it has run the
  // cancelled one would have run too.
  QTRY_COMPARE(ran.size(), std::size_t{3});
  QCOMPARE(ran.front(), std::string("early"));
  std::sort(ran.begin(), ran.end());
  const std::vector<std::string> expected{"chained", "early", "late"};
  QCOMPARE(ran, expected);
}

void QtPlatformTest::fileFilterTakesQtForm() {
  // A description without a pattern is dropped.
  const std::pair<const char*, const char*> cases[] = {
      {"Pictures|*.bmp", "Pictures (*.bmp)"},
      {"Web pages|*.htm;*.html|All files|*.*", "Web pages (*.htm *.html);;All files (*.*)"},
      {"Text|*.txt|Dangling", "Text (*.txt)"},
      {"", ""}};
  for (const auto& [filter, expected] : cases) QCOMPARE(qtFileFilter(filter), QString(expected));
}

void QtPlatformTest::launcherSplitsProgramTextBeforeItsArguments() {
  testing::TempFolder folder;
  const std::string output = folder.file("started.txt").string();
  QtLauncher launcher;
  // "sh -c" comes from the program text; the script and $0 are the arguments.
  QVERIFY(launcher.start("sh -c", {"printf '%s' \"$0\" > '" + output + "'", "second word"}));
  QTRY_COMPARE(folder.read("started.txt"), std::string("second word"));

  QVERIFY(!launcher.start("", {}));
  QVERIFY(!launcher.start(folder.file("no-such-program").string(), {}));
}

void QtPlatformTest::listBoxFollowsEveryKindOfChange() {
  ListControl list;
  list.AddItems({"a", "b", "c", "d"});
  QListWidget widget;
  new QtListBoxBinding(list, widget);
  const auto rows = [&] {
    std::vector<std::string> texts;
    for (int i = 0; i < widget.count(); ++i) texts.push_back(widget.item(i)->text().toStdString());
    return texts;
  };
  const std::vector<std::function<void()>> changes = {
      [&] { list.RemoveItem(0); },
      [&] { list.AddItem("e"); },
      [&] { list.setList(1, "x"); },
      [&] { list.AddItem("a", 1); },
      [&] {
        list.AddItems({"b", "b"});
      },
      [&] { list.RemoveItem(list.ListCount() - 1); },
      [&] { list.Clear(); },
      [&] {
        list.AddItems({"q", "r"});
      }};
  for (const auto& change : changes) {
    change();
    QCOMPARE(rows(), list.items());
  }
}

void QtPlatformTest::textEditShowsCrLfAsLineBreaksAndGivesTypedLinesBackWithCrLf() {
  TextBox box;
  box.setText("first\r\nsecond");
  QPlainTextEdit edit;
  auto* binding = new QtTextEditBinding(box, edit);
  int changes = 0;
  binding->onChange = [&] { ++changes; };
  QCOMPARE(edit.toPlainText(), QStringLiteral("first\nsecond"));

  // A running log grows in the model; that is no change by the user.
  box.setText(box.Text() + "\r\nthird\r\n");
  QCOMPARE(edit.toPlainText(), QStringLiteral("first\nsecond\nthird\n"));
  QCOMPARE(changes, 0);

  edit.moveCursor(QTextCursor::End);
  QTest::keyClicks(&edit, QStringLiteral("fourth"));
  QTest::keyClick(&edit, Qt::Key_Return);
  QCOMPARE(box.Text(), std::string("first\r\nsecond\r\nthird\r\nfourth\r\n"));
  QCOMPARE(changes, 7);

  // Lone line feeds set by the model stay as they are until the user types.
  box.setText("a\nb");
  QCOMPARE(box.Text(), std::string("a\nb"));
  QCOMPARE(edit.toPlainText(), QStringLiteral("a\nb"));
  edit.moveCursor(QTextCursor::End);
  QTest::keyClicks(&edit, QStringLiteral("c"));
  QCOMPARE(box.Text(), std::string("a\r\nbc"));
}

void QtPlatformTest::checkBoxShowsGreyedAndAClickOnlyChecksOrClears() {
  CheckBox box("Host &Delete");
  box.setValue(2);
  QCheckBox widget;
  auto* binding = new QtCheckBoxBinding(box, widget);
  int clicks = 0;
  binding->onClick = [&] { ++clicks; };
  QCOMPARE(widget.text(), QStringLiteral("Host &Delete"));
  QCOMPARE(widget.checkState(), Qt::PartiallyChecked);

  // From greyed a click checks, as a Windows check box does; then it toggles.
  for (const int expected : {1, 0, 1}) {
    widget.click();
    QCOMPARE(box.Value(), expected);
    QCOMPARE(widget.checkState(), expected ? Qt::Checked : Qt::Unchecked);
    QVERIFY(!widget.isTristate());
  }
  QCOMPARE(clicks, 3);

  box.setValue(2);
  QCOMPARE(widget.checkState(), Qt::PartiallyChecked);
  box.setValue(0);
  QCOMPARE(widget.checkState(), Qt::Unchecked);
  QCOMPARE(clicks, 3);
}

}  // namespace vendaro

QTEST_MAIN(vendaro::QtPlatformTest)
#include "QtPlatformTest.moc"
