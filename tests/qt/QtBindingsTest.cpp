
#include "platform/qt/QtCheckBoxBinding.h"
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
};

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
