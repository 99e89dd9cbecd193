#include "forms/FormCreatorView.h"

#include "intake/MailboxMemory.h"
#include "tests/qt/GuiTest.h"
#include "tests/support/FakeBrowser.h"
#include "tests/support/FakeMailClient.h"
#include "tests/support/ManualEventLoop.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestDatabase.h"

namespace vendaro {
namespace {

template <typename Widget>
Widget* child(const char* name) {
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (window->objectName() == QLatin1String(name)) return qobject_cast<Widget*>(window);
    if (auto* found = window->findChild<Widget*>(QLatin1String(name))) return found;
  }
  return nullptr;
}

// A button of `window`, or of any window when none is given.
void click(const char* name, QWidget* window = nullptr) {
  auto* button =
      window ? window->findChild<QPushButton*>(QLatin1String(name)) : child<QPushButton>(name);
  QTest::mouseClick(button, Qt::LeftButton);
}

void choose(QComboBox* box, const QString& entry) {
  const int index = box->findText(entry);
  box->setCurrentIndex(index);
  emit box->activated(index);
}

// A text field named `name` through its dialog, labelled `label`.
void addTextField(const QString& name, const QString& label) {
  child<QComboBox>("Combo3")->setEditText(name);
  choose(child<QComboBox>("Combo2"), QStringLiteral("text"));
  QWidget* dialog = child<QWidget>("text_set");
  QVERIFY(dialog != nullptr);
  QCOMPARE(dialog->windowTitle(), QStringLiteral("Text Input"));
  click("Command2", dialog);  // OK
  QTRY_VERIFY(child<QWidget>("text_set") == nullptr);
  QTest::keyClicks(child<QLineEdit>("Text12"), label);
  click("Command10");  // Add
}

}  // namespace

class FormCreatorViewTest : public QObject {
  Q_OBJECT

 public:
  static void initMain() { testing::startWatchdog(); }

 private slots:
  void createAFormAddTwoFieldsMoveOneUpAndPreview();
  void theResponseTabRecallsTheMailboxAndOffersTheKeyring();
};

void FormCreatorViewTest::createAFormAddTwoFieldsMoveOneUpAndPreview() {
  testing::TempFolder folder;
  testing::TestDatabase database(folder.file("Vendaro2.mdb"));
  testing::ScriptedDialogs dialogs;
  testing::FakeBrowser browser;
  BrowserPane pane(browser, false);
  Settings creator(FormCreatorPlatform{database, dialogs, &pane, {}});
  FormCreatorView window(creator, nullptr);
  window.show();
  QVERIFY(QTest::qWaitForWindowExposed(&window));
  QCOMPARE(window.windowTitle(), QStringLiteral("Form Creator"));

  click("Command20");  // New Form
  QWidget* newForm = child<QWidget>("frmForms");
  QTest::keyClicks(newForm->findChild<QLineEdit*>(QStringLiteral("txtFields")), "Contact");
  click("Command1", newForm);  // Add
  QTRY_VERIFY(child<QWidget>("frmForms") == nullptr);
  QCOMPARE(child<QLineEdit>("Text10")->text(), QStringLiteral("Contact"));

  window.findChild<QTabWidget*>("SSTab1")->setCurrentIndex(1);
  addTextField(QStringLiteral("name"), QStringLiteral("Name"));
  addTextField(QStringLiteral("mail"), QStringLiteral("Mail"));
  auto* rows = child<QListWidget>("List1");
  QCOMPARE(rows->count(), 2);
  rows->setCurrentRow(1);
  click("Command11");  // Up
  QCOMPARE(rows->currentRow(), 0);

  click("Command16");  // Preview
  QVERIFY(pane.Visible());
  QCOMPARE(browser.written.size(), std::size_t{1});
  const std::string& page = browser.written.front();
  QVERIFY(page.find("<title>Contact </title>") != std::string::npos);
  QVERIFY(page.find("name='mail'") < page.find("name='name'"));
  QCOMPARE(database.select("Fields").rows.size(), std::size_t{2});
}

// Without a secret service the box is there but greyed, and says why.
void FormCreatorViewTest::theResponseTabRecallsTheMailboxAndOffersTheKeyring() {
  testing::TempFolder folder;
  folder.write(kResponseMailboxFile, "host=mail.example\nuser=shop\n");
  testing::TestDatabase database(folder.file("Vendaro2.mdb"));
  testing::ScriptedDialogs dialogs;
  ManualEventLoop loop;
  const MailSettings mail;
  Settings creator(FormCreatorPlatform{database, dialogs, nullptr, {}});
  ResponseIntake intake(ResponseIntakePlatform{loop,
                                               dialogs,
                                               mail,
                                               database,
                                               [&creator] { return creator.responseForm(); },
                                               {},
                                               folder.file(kResponseMailboxFile),
                                               nullptr},
                        std::make_unique<testing::FakeMailClient>(loop));
  FormCreatorView window(creator, &intake);
  QCOMPARE(window.findChild<QLineEdit*>("PopHost")->text(), QStringLiteral("mail.example"));
  QCOMPARE(window.findChild<QLineEdit*>("PopUserName")->text(), QStringLiteral("shop"));
  auto* keep = window.findChild<QCheckBox*>("chkKeepPassword");
  QVERIFY(keep != nullptr);
  QCOMPARE(keep->text(), QLatin1String(MailboxMemory::kNoKeyring));
  QVERIFY(!keep->isEnabled());
}

}  // namespace vendaro

QTEST_MAIN(vendaro::FormCreatorViewTest)
#include "FormCreatorViewTest.moc"
