
#include "platform/qt/QtCheckBoxBinding.h"
#include "platform/qt/QtListBoxBinding.h"
#include "platform/qt/QtTextEditBinding.h"
#include "tests/qt/GuiTest.h"

namespace vendaro {

class QtBindingsTest : public QObject {
  Q_OBJECT

 public:
  static void initMain() { testing::startWatchdog(); }

 private slots:
  void textEditShowsCrLfAsLineBreaksAndGivesTypedLinesBackWithCrLf();
  void checkBoxShowsGreyedAndAClickOnlyChecksOrClears();
  void listBoxFollowsEveryKindOfChange();
};

void QtBindingsTest::listBoxFollowsEveryKindOfChange() {
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

void QtBindingsTest::textEditShowsCrLfAsLineBreaksAndGivesTypedLinesBackWithCrLf() {
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

void QtBindingsTest::checkBoxShowsGreyedAndAClickOnlyChecksOrClears() {
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

QTEST_MAIN(vendaro::QtBindingsTest)
#include "QtBindingsTest.moc"
