#include <algorithm>
#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "platform/qt/QtDialogs.h"
#include "platform/qt/QtEventLoop.h"
#include "platform/qt/QtLauncher.h"
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

}  // namespace vendaro

QTEST_GUILESS_MAIN(vendaro::QtPlatformTest)
#include "QtPlatformTest.moc"
