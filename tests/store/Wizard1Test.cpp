#include "store/Wizard1.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "platform/BrowserPane.h"
#include "store/CatalogueRecord.h"
#include "store/GenerateCommand.h"
#include "store/OrderPages.h"
#include "store/ProjectFiles.h"
#include "store/SalesTax.h"
#include "store/StoreProject.h"
#include "tests/store/FailingSiteFiles.h"
#include "tests/store/StoreTestCatalogue.h"
#include "tests/support/FakeBrowser.h"
#include "tests/support/RequiredTool.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TempFolder.h"

namespace vendaro {
namespace {

namespace fs = std::filesystem;
using testing::FakeBrowser;
using testing::ScriptedDialogs;
using testing::TempFolder;

class Wizard1Test : public ::testing::Test {
 protected:
  Wizard1Test()
      : pane(browser, false),
        wizard(Wizard1Platform{dialogs, settings, vendor, app.path(), &addressBar, &pane,
                               [this] { ++orderViewerShown; }}) {}

  void newProject(const std::string& name) {
    dialogs.inputAnswers.push_back(name);
    wizard.Command12_Click();
  }

  void addCategory(const std::string& name) {
    wizard.Text1[0].setText(name);
    wizard.Command9_Click();
  }

  void addItem(const std::string& id, const std::string& price) {
    wizard.Text1[2].setText(id);
    wizard.Text1[5].setText(id + " description");
    wizard.Text1[4].setText(price);
    wizard.Command3_Click();
  }

  // Makes project Shop with the given categories and lets them reach Combo1.
  void projectWithCategories(const std::vector<std::string>& categories) {
    newProject("Shop");
    for (const std::string& category : categories) addCategory(category);
    wizard.SSTab1_Click(1);
  }

  std::vector<std::string> filesIn(const fs::path& folder) const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  TempFolder app;
  ScriptedDialogs dialogs;
  StoreSettings settings;
  VendorSettings vendor;
  ListControl addressBar;
  FakeBrowser browser;
  BrowserPane pane;
  int orderViewerShown = 0;
  Wizard1 wizard;
};

TEST_F(Wizard1Test, NewProjectMakesItsFolderAndASecondOneWithTheSameNameIsRefused) {
  wizard.List1.AddItem("old");
  newProject("Shop");
  EXPECT_EQ(wizard.Text6.Text(), "Shop");
  EXPECT_EQ(wizard.List1.ListCount(), 0);
  EXPECT_EQ(dialogs.messageTexts(),
            std::vector<std::string>{"You may fill the category listing for the new Store"});
  EXPECT_EQ(dialogs.prompts.at(0), "Enter the new project's name , please");

  addCategory("Cups");
  newProject("Shop");
  EXPECT_EQ(dialogs.messageTexts().back(),
            "You already have the project with the same name.Please remove appropriate folder");
  EXPECT_EQ(wizard.Text6.Text(), "");
  EXPECT_EQ(wizard.List1.ListCount(), 1);  // no list is changed
  // The open dialog shown then starts where the projects are.
  EXPECT_EQ(dialogs.openFolders, std::vector<std::string>{app.path().string()});
}

TEST_F(Wizard1Test, NamesThatWouldLeaveTheProjectFolderAreRefusedAndNothingIsWritten) {
  for (const char* name : {"../Evil", "a/b", "..", ""}) {
    newProject(name);
    EXPECT_EQ(dialogs.messageTexts().back(), Wizard1::kUnusableProjectName) << name;
  }
  EXPECT_TRUE(filesIn(app.path()).empty());
  EXPECT_FALSE(fs::exists(app.path().parent_path() / "Evil"));

  newProject("Shop");
  for (const char* name : {"../up", "x\\y", ""}) {
    addCategory(name);
    EXPECT_EQ(dialogs.messageTexts().back(), Wizard1::kUnusableCategoryName) << name;
  }
  EXPECT_EQ(wizard.List1.ListCount(), 0);

  // A project name typed into the box is checked when the project is stored.
  wizard.Text6.setText("../Shop2");
  wizard.SSTab1_Click(1);
  EXPECT_EQ(dialogs.messageTexts().back(), Wizard1::kUnusableProjectName);
  EXPECT_EQ(filesIn(app.path()), std::vector<std::string>{"Shop"});
  EXPECT_TRUE(filesIn(app.path() / "Shop").empty());

  // A category typed into the combo box is checked when items are saved.
  wizard.Text6.setText("Shop");
  wizard.Combo1.setText("../../Stolen");
  addItem("A1", "1");
  EXPECT_EQ(dialogs.messageTexts().back(), Wizard1::kUnusableCategoryName);
  EXPECT_TRUE(filesIn(app.path() / "Shop").empty());
}

TEST_F(Wizard1Test, WithoutAProjectTabChangeWritesNothingAndSavingSaysSo) {
  wizard.List1.AddItem("Cups");
  wizard.SSTab1_Click(1);
  EXPECT_EQ(wizard.Combo1.ListCount(), 0);
  EXPECT_TRUE(dialogs.messages.empty());
  wizard.Combo1.setText("Cups");
  addItem("A1", "1");
  EXPECT_EQ(dialogs.messageTexts(), std::vector<std::string>{Wizard1::kNoProject});
  EXPECT_TRUE(filesIn(app.path()).empty());
}

TEST_F(Wizard1Test, OpenProjectLoadsTheSavedSettingsSoTheNextTabChangeKeepsThem) {
  projectWithCategories({"Cups", "Plates"});
  wizard.Text4.setText("http://shop.example/back");
  EXPECT_EQ(wizard.Text15.Text(), "8.25");  // the default, in per cent
  wizard.Text15.setText("7");
  wizard.SSTab1_Click(3);
  EXPECT_EQ(wizard.Combo1.items(), (std::vector<std::string>{"Cups", "Plates"}));
  EXPECT_EQ(app.read("Shop/Shop.caa"), "Cups\r\nPlates\r\n");
  EXPECT_EQ(app.read("Shop/Shop.pro"), "");
  const std::string saved = app.read("Shop/Shop.sit");
  EXPECT_NE(saved.find("[Tax]\r\n0.07\r\n[Action]"), std::string::npos);  // the fraction

  // A new window holds the default boxes until the project is opened.
  Wizard1 other(Wizard1Platform{dialogs, settings, vendor, app.path(), nullptr, nullptr, {}});
  dialogs.fileAnswers.push_back((app.path() / "Shop" / "Shop.caa").string());
  other.Command2_Click();
  EXPECT_EQ(dialogs.openFolders.back(), app.path().string());
  EXPECT_EQ(other.Text6.Text(), "Shop");
  EXPECT_EQ(other.List1.items(), (std::vector<std::string>{"Cups", "Plates"}));
  EXPECT_EQ(other.Text15.Text(), "7");
  EXPECT_EQ(other.Text4.Text(), "http://shop.example/back");
  other.SSTab1_Click(1);
  // Written back as read: the saved values, multi-line snippets as one line.
  EXPECT_EQ(app.read("Shop/Shop.sit"), settingsFileText(parseSettingsFile(saved)));

  // Cancelling keeps the project and its categories.
  other.Command2_Click();
  EXPECT_EQ(other.Text6.Text(), "Shop");
  EXPECT_EQ(other.List1.ListCount(), 2);

  other.Text15.setText("changed");
  dialogs.fileAnswers.push_back((app.path() / "Shop" / "Shop.sit").string());
  other.Command6_Click();
  EXPECT_EQ(dialogs.openFolders.back(), app.path().string());
  EXPECT_EQ(other.Text15.Text(), "7");
  EXPECT_EQ(other.Text3.Text(), wizard.Text3.Text());
}

TEST_F(Wizard1Test, AProjectFileOutsideAProjectFolderIsRefusedAndTheProjectStays) {
  projectWithCategories({"Cups"});
  // The application folder's neighbour "...-old", where the name cut after
  // the application folder's length would be "old".
  const fs::path neighbour = app.path().string() + "-old";
  fs::create_directories(neighbour / "Shop");
  app.write("Shop.caa", "Mugs\r\n");
  fs::create_directories(app.path() / "Shop" / "old");
  app.write("Shop/old/old.caa", "Mugs\r\n");
  std::ofstream(neighbour / "Shop" / "Shop.caa") << "Mugs\r\n";
  for (const fs::path& file : {neighbour / "Shop" / "Shop.caa", app.path() / "Shop.caa",
                               app.path() / "Shop" / "old" / "old.caa"}) {
    dialogs.fileAnswers.push_back(file.string());
    wizard.Command2_Click();
    EXPECT_EQ(dialogs.messageTexts().back(),
              Wizard1::kNotAProjectFolder + app.path().string() + ".");
    EXPECT_EQ(wizard.Text6.Text(), "Shop") << file;
    EXPECT_EQ(wizard.List1.items(), std::vector<std::string>{"Cups"}) << file;
  }
  wizard.SSTab1_Click(1);
  fs::remove_all(neighbour);
  EXPECT_EQ(app.read("Shop/Shop.caa"), "Cups\r\n");
  EXPECT_EQ(filesIn(app.path()), (std::vector<std::string>{"Shop", "Shop.caa"}));
}

TEST_F(Wizard1Test, ItemsAreStoredInTheCategoryFileAndDoubleClickKeepsTheRecordInTheBoxes) {
  projectWithCategories({"Cups"});
  wizard.chooseCategory(0);
  addItem("A1", "1.50");
  addItem("A2", "2");
  wizard.Command3_Click();  // the boxes still hold A2
  EXPECT_EQ(app.read("Shop/Cups.pro"),
            "A1^A1 description^1.50^^^^^\r\nA2^A2 description^2^^^^^\r\n"
            "A2^A2 description^2^^^^^\r\n");

  wizard.List2.setListIndex(0);
  wizard.List2_DblClick();
  EXPECT_EQ(wizard.Text1[2].Text(), "A1");
  EXPECT_EQ(wizard.Text1[4].Text(), "1.50");
  EXPECT_EQ(app.read("Shop/Cups.pro"), "A2^A2 description^2^^^^^\r\nA2^A2 description^2^^^^^\r\n");
  wizard.Command3_Click();
  EXPECT_EQ(wizard.List2.List(2), "A1^A1 description^1.50^^^^^");

  // "Up" and "Down" move the entry but do not rewrite the file.
  const std::string stored = app.read("Shop/Cups.pro");
  wizard.List2.setListIndex(2);
  wizard.Command1_Click();
  EXPECT_EQ(wizard.List2.List(1), "A1^A1 description^1.50^^^^^");
  EXPECT_EQ(app.read("Shop/Cups.pro"), stored);

  // Choosing the category again reloads the file and clears the boxes.
  wizard.chooseCategory(0);
  EXPECT_EQ(wizard.List2.List(2), "A1^A1 description^1.50^^^^^");
  EXPECT_EQ(wizard.Text1[2].Text(), "");
  wizard.List2.setListIndex(0);
  wizard.List2_Click();
  EXPECT_EQ(wizard.Text1[2].Text(), "A2");
}

// The quantity on hand goes into the project's stock file with the item;
// empty is "not counted", anything but a whole number is refused.
TEST_F(Wizard1Test, TheQuantityOnHandIsKeptInTheProjectsStockFile) {
  projectWithCategories({"Cups"});
  wizard.chooseCategory(0);
  wizard.txtOnHand.setText("x");
  addItem("A1", "1.50");
  EXPECT_EQ(dialogs.messageTexts().back(), Wizard1::kUnusableStockCount);
  EXPECT_EQ(wizard.List2.ListCount(), 0);
  wizard.txtOnHand.setText(" 7 ");
  addItem("A1", "1.50");
  wizard.txtOnHand.setText("0");
  addItem("A2", "2");
  EXPECT_EQ(app.read("Shop/Shop.stk"), "A1^7^\r\nA2^0^\r\n");

  wizard.List2.setListIndex(0);
  wizard.List2_Click();
  EXPECT_EQ(wizard.txtOnHand.Text(), "7");
  wizard.List2_DblClick();
  wizard.txtOnHand.setText("");
  wizard.Command3_Click();
  EXPECT_EQ(app.read("Shop/Shop.stk"), "A2^0^\r\n");
}

TEST_F(Wizard1Test, SameNamedCategoriesShareAnItemFile) {
  projectWithCategories({"Cups", "Cups"});
  wizard.chooseCategory(0);
  wizard.Text1[4].setText("1");
  wizard.Command3_Click();
  EXPECT_EQ(app.read("Shop/Cups.pro"), "^^1^^^^^\r\n");
  wizard.chooseCategory(1);
  EXPECT_EQ(wizard.List2.items(), std::vector<std::string>{"^^1^^^^^"});
  // The shop gets the category once.
  wizard.Command14_Click();
  EXPECT_EQ(reportLine(wizard.lastGeneration().reports.at(0)),
            "Category \"Cups\": listed more than once; the repeat was left out");
  const std::string start = app.read("Shop/index.htm");
  EXPECT_EQ(start.find("CupsList = "), start.rfind("CupsList = "));
}

TEST_F(Wizard1Test, AddRefusesWhatWouldBreakTheItemFileOrThePricesAndNamesTheField) {
  projectWithCategories({"Cups"});
  wizard.chooseCategory(0);
  addItem("A1", "1.50");
  const std::string stored = app.read("Shop/Cups.pro");
  const auto refused = [&](TextBox& box, const std::string& value, const std::string& message) {
    const std::string before = box.Text();
    box.setText(value);
    wizard.Command3_Click();
    EXPECT_EQ(dialogs.messageTexts().back(), message + "; the item was not added.") << value;
    EXPECT_EQ(wizard.List2.ListCount(), 1) << value;
    box.setText(before);
  };
  const std::string field = "\" holds \"^\" or a line break, which the item file cannot keep";
  refused(wizard.Text1[5], "Pot^ saucer set", "The field \"Item Description" + field);
  refused(wizard.Text8, "Acme\r\nLtd", "The field \"Manufacturer" + field);
  refused(wizard.Text1[4], "cheap", "The price \"cheap\" is not a number");
  refused(wizard.Text1[4], "", "The price \"\" is not a number");
  refused(wizard.Text1[4], "-5", "The price \"-5\" is negative");
  refused(wizard.Text1[4], "1000000000", "The price \"1000000000\" is too large");
  refused(wizard.Text9, "1,5", "The weight \"1,5\" has a decimal comma");
  refused(wizard.Text9, "-1", "The weight \"-1\" is negative");
  EXPECT_EQ(app.read("Shop/Cups.pro"), stored);
  // The boxes keep what was typed, so it can be corrected and added.
  wizard.Text9.setText("0.5");
  wizard.Command3_Click();
  EXPECT_EQ(wizard.List2.List(1), "A1^A1 description^1.50^^^^0.5^");
}

TEST_F(Wizard1Test, ItemLinesWithoutSevenFieldsAreReportedAndLeftOutOfTheShop) {
  projectWithCategories({"Cups"});
  app.write("Shop/Cups.pro", "A1^Pot^ saucer set^3^^^^^\r\nA2^Cup^2^^^^^\r\nA3^Mug^4\r\n");
  wizard.chooseCategory(0);
  EXPECT_EQ(wizard.List2.ListCount(), 3);
  EXPECT_EQ(dialogs.messageTexts().back(),
            "Line 1 of the item file of category \"Cups\" has 8 fields instead of seven, so its "
            "values would shift; it is left out of the shop until it is corrected.\n"
            "Line 3 of the item file of category \"Cups\" has 3 fields instead of seven, so its "
            "values would shift; it is left out of the shop until it is corrected.");

  // Left out of the shop as the service leaves them; "Generate" shows every
  // report in one message.
  wizard.Command14_Click();
  const auto& reports = wizard.lastGeneration().reports;
  ASSERT_EQ(reports.size(), 2u);
  const std::string shown = dialogs.messageTexts().back();
  EXPECT_NE(shown.find(reportLine(reports[0]) + "\n" + reportLine(reports[1])),
            std::string::npos)
      << shown;
}

TEST_F(Wizard1Test, AnItemFileLinkedOutsideTheProjectIsNeitherReadNorPublished) {
  projectWithCategories({"Cups", "Plates"});
  TempFolder outside;
  outside.write("secret.txt", "root^x^0^^^^^\r\n");
  fs::create_symlink(outside.file("secret.txt"), app.path() / "Shop" / "Cups.pro");
  // A link that stays inside the project folder is an ordinary item file.
  app.write("Shop/plates.txt", "P1^Plate^4^^^^^\r\n");
  fs::create_symlink("plates.txt", app.path() / "Shop" / "Plates.pro");
  wizard.chooseCategory(1);
  EXPECT_EQ(wizard.List2.ListCount(), 1);

  const std::string refused =
      "The item file of category \"Cups\" leads outside the project folder, so it was not read.";
  wizard.chooseCategory(0);
  EXPECT_EQ(wizard.List2.ListCount(), 0);
  EXPECT_EQ(dialogs.messageTexts().back(), refused);
  wizard.Command14_Click();
  EXPECT_EQ(wizard.lastGeneration().failure, refused + " Nothing was written.");
  EXPECT_FALSE(fs::exists(app.path() / "Shop" / "index.htm"));
}

TEST_F(Wizard1Test, GetItCopiesTheAddressBarAndPreviewShowsTheStartPage) {
  addressBar.setText("http://shop.example/cup.htm");
  wizard.Command7_Click();
  EXPECT_EQ(wizard.Text1[3].Text(), "http://shop.example/cup.htm");

  newProject("Shop");
  wizard.Text14.setText("start");
  wizard.Command4_Click();
  EXPECT_TRUE(pane.Visible());
  EXPECT_EQ(browser.navigations,
            std::vector<std::string>{(app.path() / "Shop" / "start.htm").string()});

  wizard.Command151_Click();
  EXPECT_EQ(orderViewerShown, 1);
}

TEST_F(Wizard1Test, GenerateWritesTheSiteAndKeepsTheLayoutTabAsItWas) {
  projectWithCategories({"Cups", "Plates"});
  wizard.chooseCategory(0);
  addItem("A1", "1.50");
  wizard.chooseCategory(1);
  addItem("P1", "4");
  addItem("P2", "5");
  wizard.Option2_Click();
  EXPECT_FALSE(wizard.Option1.Value());
  wizard.cmdEdit_Click();  // nothing generated yet
  EXPECT_EQ(dialogs.messageTexts().back(), Wizard1::kGenerateFirst);
  wizard.List2.setListIndex(0);
  wizard.Command8_Click();  // "New ": empty boxes for the next item
  EXPECT_EQ(wizard.Text1[2].Text(), "");
  EXPECT_EQ(wizard.List2.ListIndex(), -1);
  wizard.Text1[2].setText("P3");

  wizard.Command14_Click();
  const GenerationRun& run = wizard.lastGeneration();
  EXPECT_EQ(run.notWritten, 0u);
  // The pages of the contents layout; their list and texts are the golden
  // tests' subject.
  EXPECT_EQ(run.written.size(), 14u);
  EXPECT_FALSE(fs::exists(app.path() / "Shop" / "fsecond.htm"));

  // The layout tab shows what it showed before: category, items, boxes.
  EXPECT_EQ(wizard.Combo1.Text(), "Plates");
  EXPECT_EQ(wizard.List2.ListCount(), 2);
  EXPECT_EQ(wizard.Text1[2].Text(), "P3");
  EXPECT_EQ(wizard.itemColumns(1),
            (std::vector<std::string>{"P2", "P2 description", "5", "", "", "", ""}));

  // "Update" writes the start page only.
  fs::remove(app.path() / "Shop" / "index.htm");
  fs::remove(app.path() / "Shop" / "basket.htm");
  wizard.Command13_Click();
  EXPECT_TRUE(fs::exists(app.path() / "Shop" / "index.htm"));
  EXPECT_FALSE(fs::exists(app.path() / "Shop" / "basket.htm"));
}

TEST_F(Wizard1Test, GenerateOnAFullDiskSaysWhy) {
  projectWithCategories({"Cups"});
  testing::FailingSiteFiles fullDisk("basket.htm", ENOSPC, testing::FailingSiteFiles::Step::Write);
  wizard.useSiteFiles(fullDisk);
  wizard.Command14_Click();
  // That no page changed is the site writer's test.
  EXPECT_EQ(dialogs.messageTexts().back(),
            "\"basket.htm\" could not be written (disk full); no page was changed.");
  EXPECT_EQ(wizard.StatusBar1.panelText(1), "0 files written");
  EXPECT_EQ(wizard.StatusBar1.panelText(2), "14 files not written");
}

TEST_F(Wizard1Test, GenerateRefusesATaxRateAbove100AndAnEmptyStartFileName) {
  projectWithCategories({"Cups"});
  wizard.chooseCategory(0);
  addItem("A1", "1.50");
  for (const char* rate : {"700", "-7", "8,25"}) {
    wizard.Text15.setText(rate);
    wizard.Command14_Click();
    EXPECT_EQ(dialogs.messageTexts().back(),
              std::string("The sales tax \"") + rate +
                  "\" is not a percentage between 0 and 100: type 8.25 for 8.25%. Nothing was "
                  "written.");
    EXPECT_EQ(wizard.lastGeneration().failure, dialogs.messageTexts().back());
  }
  wizard.Text15.setText("7");
  wizard.Text14.setText("");
  wizard.Command13_Click();
  EXPECT_NE(wizard.lastGeneration().failure.find("\".htm\""), std::string::npos);
  EXPECT_EQ(filesIn(app.path() / "Shop"),
            (std::vector<std::string>{"Cups.pro", "Shop.caa", "Shop.pro", "Shop.sit"}));
  wizard.Text14.setText("index");
  wizard.Command14_Click();
  EXPECT_TRUE(wizard.lastGeneration().failure.empty());
  EXPECT_NE(app.read("Shop/order.htm").find("\r\nvar tax1=0.07\r\n"), std::string::npos);
  std::vector<std::string> edited;
  Wizard1 editing(Wizard1Platform{dialogs, settings, vendor, app.path(), nullptr, nullptr, {},
                                  [&edited](const fs::path& page) { edited.push_back(page.string()); }});
  editing.Text6.setText("Shop");
  editing.cmdEdit_Click();
  EXPECT_EQ(edited, std::vector<std::string>{(app.path() / "Shop" / "index.htm").string()});
}

// The box shows per cent, the project keeps the fraction; the point is
// moved in the text, so nothing is rounded.
TEST(SalesTaxTest, PercentAndFractionAreTheSameDigits) {
  EXPECT_EQ(salesTaxPercent("0.0825"), "8.25");
  EXPECT_EQ(salesTaxPercent("0.07"), "7");
  EXPECT_EQ(salesTaxPercent("0"), "0");
  EXPECT_EQ(salesTaxPercent("1"), "100");
  EXPECT_EQ(salesTaxFraction("8.25"), "0.0825");
  EXPECT_EQ(salesTaxFraction("7"), "0.07");
  EXPECT_EQ(salesTaxFraction("12.5"), "0.125");
  EXPECT_EQ(salesTaxFraction(".5"), "0.005");
  EXPECT_EQ(salesTaxFraction("8,25"), "8,25");  // not a number: as typed
  EXPECT_EQ(salesTaxFraction(""), "");
}

ProjectSettings sampleSettings() {
  return ProjectSettings{"<form ACTION=\"mailto:a@b\"\r\nMETHOD=\"POST\">",
                         "",
                         "<font>",
                         "<table>",
                         "index",
                         "0.0825",
                         "<form NAME=\"FormOrder\">"};
}

TEST(SettingsFileTest, WritesEachBoxThenItsMarkerAndAnEmptyBoxAsTwoLineBreaks) {
  EXPECT_EQ(settingsFileText(sampleSettings()),
            "<form ACTION=\"mailto:a@b\"\r\nMETHOD=\"POST\">\r\n[GoBack]\r\n"
            "\r\n\r\n[Font]\r\n"
            "<font>\r\n[Table]\r\n"
            "<table>\r\n[Start]\r\n"
            "index\r\n[Tax]\r\n"
            "0.0825\r\n[Action]\r\n"
            "<form NAME=\"FormOrder\">\r\n");
}

TEST(SettingsFileTest, ReadsBackEmptyBoxesEmptyAndMultiLineBoxesAsOneLine) {
  ProjectSettings settings = sampleSettings();
  settings.formAction = "<form\r\naction=x>\r\n<input>";
  settings.salesTax = "";
  const ProjectSettings back = parseSettingsFile(settingsFileText(settings));
  EXPECT_EQ(back.emailAction, "<form ACTION=\"mailto:a@b\"METHOD=\"POST\">");
  EXPECT_EQ(back.goBackUrl, "");
  EXPECT_EQ(back.fontStyle, "<font>");
  EXPECT_EQ(back.tableStyle, "<table>");
  EXPECT_EQ(back.startFile, "index");
  EXPECT_EQ(back.salesTax, "");
  EXPECT_EQ(back.formAction, "<formaction=x><input>");
}

TEST(SettingsFileTest, MarkerTextInsideALineIsNotAMarker) {
  const ProjectSettings back =
      parseSettingsFile("a [GoBack]\r\n[GoBack]\r\nb\r\n[Font]\r\n[Action]\r\n[Table]\r\n");
  EXPECT_EQ(back.emailAction, "a [GoBack]");
  EXPECT_EQ(back.goBackUrl, "b");
  // Markers out of order are ordinary lines of the current box.
  EXPECT_EQ(back.fontStyle, "[Action]");
  EXPECT_EQ(back.tableStyle, "");
}

TEST(ProjectLinesTest, SplitsAtEveryKindOfLineEndAndAddsNoEmptyLastLine) {
  EXPECT_EQ(splitLines("a\r\nb\nc\rd"), (std::vector<std::string>{"a", "b", "c", "d"}));
  EXPECT_EQ(splitLines("a\r\n\r\n"), (std::vector<std::string>{"a", ""}));
  EXPECT_TRUE(splitLines("").empty());
  EXPECT_EQ(linesText({"x", ""}), "x\r\n\r\n");
}

TEST(ItemRecordTest, FieldsGoBackToTheirPlacesAndShortLinesLeaveTheRestEmpty) {
  const ItemRecord item{"A1", "Blue cup", "3.50", "cup.gif", "cup.htm", "Acme", "0.5"};
  for (const ItemRecord& record : {item, ItemRecord{}}) {
    EXPECT_EQ(itemRecordLine(parseItemRecord(itemRecordLine(record))), itemRecordLine(record));
  }
  EXPECT_EQ(itemRecordLine(item), "A1^Blue cup^3.50^cup.gif^cup.htm^Acme^0.5^");
  EXPECT_EQ(itemRecordLine(ItemRecord{}), "^^^^^^^");

  const ItemRecord shortLine = parseItemRecord("B2^Plate");
  EXPECT_EQ(itemRecordLine(shortLine), "B2^Plate^^^^^^");
}

TEST(ContainedNameTest, RefusesNamesThatLeaveTheFolder) {
  for (const char* name : {"Shop", "Blue cups", "a..b", ".hidden", "Süß"}) {
    EXPECT_TRUE(isContainedName(name)) << name;
  }
  for (const char* name : {"", ".", "..", "a/b", "/abs", "..\\up", "x\\y"}) {
    EXPECT_FALSE(isContainedName(name)) << name;
  }
  EXPECT_FALSE(isContainedName(std::string("a\0b", 3)));
}

using testing::contains;

std::vector<PublishedCatalogue> recordsIn(const TempFolder& app) {
  std::vector<std::string> problems;
  std::vector<PublishedCatalogue> records = readPublishedCatalogues(app.path(), problems);
  EXPECT_EQ(problems, std::vector<std::string>{});
  return records;
}

class GenerateCommandTest : public ::testing::Test {
 protected:
  // A project folder as a merchant might write it by hand.
  void writeProject() {
    fs::create_directory(app.path() / "Shop");
    app.write("Shop/Shop.caa", "Cups\r\nPlates\r\nEmpty\r\n");
    app.write("Shop/Cups.pro", "A1^Blue cup^1.50^^^Acme^0.5^\r\nA2^Red cup^2^^^^1^\r\n");
    app.write("Shop/Plates.pro", "P1^Plate^4^^^^2^\n");
  }

  int run(const std::string& project) {
    options.appFolder = app.path();
    options.project = project;
    return runGenerateCommand(options, vendor, settings, out, err);
  }

  TempFolder app;
  VendorSettings vendor;
  StoreSettings settings;
  GenerateOptions options;
  std::ostringstream out;
  std::ostringstream err;
};

TEST_F(GenerateCommandTest, GeneratesTheWholeSiteOfAHandMadeProject) {
  writeProject();
  ASSERT_EQ(run("Shop"), 0) << err.str();
  // One line per page written; which pages a layout has is the golden tests' subject.
  for (const char* page : {"index.htm", "l_Empty.htm", "complect.htm"}) {
    EXPECT_TRUE(contains(out.str(), "wrote " + (app.path() / "Shop" / page).string() + "\n"))
        << page;
  }
  EXPECT_TRUE(contains(out.str(), "category \"Empty\" has no item file"));
  EXPECT_TRUE(contains(app.read("Shop/index.htm"), "Blue cup"));
  EXPECT_TRUE(contains(app.read("Shop/m_products.htm"), "l_Plates.htm"));
  EXPECT_EQ(err.str(), "");
  // The project files themselves are left as they were.
  EXPECT_EQ(app.read("Shop/Shop.caa"), "Cups\r\nPlates\r\nEmpty\r\n");
  EXPECT_FALSE(fs::exists(app.path() / "Shop" / "Shop.pro"));
}

TEST_F(GenerateCommandTest, UsesTheSettingsFileAndTheLayoutAndPrintsReplacedValues) {
  writeProject();
  const auto settingsFile = [&](const std::string& tax) {
    app.write("Shop/Shop.sit",
              "\r\n\r\n[GoBack]\r\n\r\n\r\n[Font]\r\n<font>\r\n[Table]\r\n<table>\r\n"
              "[Start]\r\nhome\r\n[Tax]\r\n" +
                  tax + "\r\n[Action]\r\n<form>\r\n");
  };
  // The file keeps the rate as a fraction: 7 is 700%, refused, and nothing is written.
  settingsFile("7");
  EXPECT_EQ(run("Shop"), kGenerateFailed);
  EXPECT_TRUE(contains(err.str(), "The sales tax \"700\" is not a percentage between 0 and 100"))
      << err.str();
  EXPECT_FALSE(fs::exists(app.path() / "Shop" / "home.htm"));

  err.str("");
  settingsFile("0.05");
  app.write("Shop/Plates.pro", "P1^Plate^four^^^^2^\r\n");
  options.layout = SiteLayout::ContentsOnly;
  options.weight = true;
  ASSERT_EQ(run("Shop"), 0) << err.str();
  EXPECT_TRUE(fs::exists(app.path() / "Shop" / "home.htm"));
  EXPECT_FALSE(fs::exists(app.path() / "Shop" / "index.htm"));
  EXPECT_FALSE(fs::exists(app.path() / "Shop" / "fsecond.htm"));
  EXPECT_TRUE(contains(out.str(), "replaced: Category \"Plates\", item \"P1\"")) << out.str();
}

// A generation adds a record of what it published (when to add one is the
// record's own test); a record that cannot be kept is a warning.
TEST_F(GenerateCommandTest, AGenerationAddsARecordOfWhatItPublished) {
  writeProject();
  app.write("Shop/Cups.pro", "A1^Blue \"cup\"^1,50^^^Acme^0.5^\r\nA2^Red cup^2^^^^^\r\n");
  options.weight = true;
  ASSERT_EQ(run("Shop"), 0) << err.str();
  std::vector<PublishedCatalogue> records = recordsIn(app);
  ASSERT_EQ(records.size(), 1u);
  const PublishedCatalogue& first = records[0];
  EXPECT_EQ(first.project, "Shop");
  EXPECT_TRUE(
      std::regex_match(first.generatedAt, std::regex(R"(\d{4}-\d\d-\d\dT\d\d:\d\d:\d\dZ)")));
  EXPECT_EQ(first.salesTaxRate, "0.0825");
  EXPECT_EQ(first.weightBrackets.size(), weightShippingBrackets().size());
  // Prices and weights as the script got them: the decimal comma made a point.
  ASSERT_EQ(first.items.size(), 3u);
  EXPECT_EQ(first.items[0].description, "Blue \"cup\"");
  EXPECT_EQ(first.items[0].price, "1.50");
  EXPECT_EQ(first.items[0].weight, "0.5");
  EXPECT_EQ(first.items[1].weight, "");

  fs::remove_all(app.path() / kPublishedFolder);
  app.write(kPublishedFolder, "a file in the way");
  ASSERT_EQ(run("Shop"), 0) << err.str();
  EXPECT_TRUE(contains(err.str(), "warning: what the pages publish could not be recorded"))
      << err.str();
}

TEST_F(GenerateCommandTest, RepeatedCategoriesAreLeftOutAndEmptyLinesAtTheEndIgnored) {
  writeProject();
  app.write("Shop/Shop.caa", "Cups\r\nPlates\r\nCups\r\n\r\n\r\n");
  ASSERT_EQ(run("Shop"), 0) << err.str();
  EXPECT_TRUE(contains(out.str(),
                       "note: The category \"Cups\" is listed more than once; the "
                       "repeat was left out.\n"))
      << out.str();
  const std::string menu = app.read("Shop/m_products.htm");
  EXPECT_EQ(menu.find("l_Cups.htm"), menu.rfind("l_Cups.htm"));

  err.str("");
  app.write("Shop/Shop.caa", std::string(300, 'c') + "\r\n");
  EXPECT_EQ(run("Shop"), kGenerateFailed);
  EXPECT_TRUE(contains(err.str(), "is too long for a file name (300 characters)")) << err.str();
}

// The responsive site keeps its checkout's rules in the one record.
TEST_F(GenerateCommandTest, TheResponsiveSiteIsWrittenWithItsRulesRecord) {
  writeProject();
  options.layout = SiteLayout::Responsive;
  ASSERT_EQ(run("Shop"), 0) << err.str();
  const std::vector<PublishedCatalogue> records = recordsIn(app);
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].checkout, PublishedCatalogue::Checkout::Responsive);
  EXPECT_FALSE(fs::exists(app.path() / "published-rules"));
  EXPECT_TRUE(contains(app.read("Shop/c-cups.html"), "Blue cup"));
}

// Why a project cannot be read is the service's test; here the command fails
// and says why.
TEST_F(GenerateCommandTest, AMissingProjectOrAnUnreadableFileFails) {
  const auto fails = [&](const std::string& project, const std::string& reason) {
    err.str("");
    EXPECT_NE(run(project), 0);
    EXPECT_TRUE(contains(err.str(), reason)) << err.str();
  };
  fails("Shop", "no project \"Shop\"");
  fails("../Shop", "must not");
  fs::create_directory(app.path() / "Shop");
  fails("Shop", "no category file");
  app.write("Shop/Shop.caa", "Cups\r\n../Plates\r\n");
  fails("Shop", "would leave the project folder");
}

TEST_F(GenerateCommandTest, TheSitemapIsValidXmlListingEveryPage) {
  VENDARO_REQUIRE_TOOL(fs::exists("/usr/bin/xmllint"), "xmllint is not installed (libxml2-utils)");
  writeProject();
  options.sitemapBase = "https://shop.example/a&b";
  ASSERT_EQ(run("Shop"), 0) << err.str();
  const std::string map = (app.path() / "Shop" / "sitemap.xml").string();
  EXPECT_EQ(std::system(("/usr/bin/xmllint --noout '" + map + "'").c_str()), 0);
  const std::string xml = app.read("Shop/sitemap.xml");
  int pages = 0;
  for (const auto& entry : fs::directory_iterator(app.path() / "Shop")) {
    if (entry.path().extension() != ".htm") continue;
    ++pages;
    EXPECT_TRUE(contains(
        xml, "<loc>https://shop.example/a&amp;b/" + entry.path().filename().string() + "</loc>"))
        << entry.path();
  }
  EXPECT_GT(pages, 5);
  EXPECT_EQ(app.read("Shop/robots.txt"),
            "User-agent: *\nAllow: /\nSitemap: https://shop.example/a&b/sitemap.xml\n");
  options.sitemapBase = "ftp://shop.example/";
  EXPECT_EQ(run("Shop"), kGenerateFailed);
}

// The record's charges are the ones the order pages compute with.
TEST(CatalogueRecordTest, TheRecordedChargesAreThoseOfThePagesShippingFunction) {
  const std::string function = shippingFunctionText();
  const std::regex row(
      R"(if \((\d+)< totalW & totalW <=(\d+)\) \{ ?cof=([\d.]+);cof2=([\d.]+);cof3=([\d.]+) ?;cof4=([\d.]+)\})");
  std::vector<WeightBracket> fromPage;
  for (auto match = std::sregex_iterator(function.begin(), function.end(), row);
       match != std::sregex_iterator(); ++match) {
    fromPage.push_back({std::stod((*match)[1]),
                        std::stod((*match)[2]),
                        {(*match)[3], (*match)[4], (*match)[5], (*match)[6]}});
  }
  fromPage.push_back({20, std::nullopt, {"100.00", "100.00", "100.00", "100.00"}});
  EXPECT_NE(function.find("if (totalW > 20) { cof=100.00;cof3=100.00;cof2=100.00;cof4=100.00;}}"),
            std::string::npos);
  const std::vector<WeightBracket>& recorded = weightShippingBrackets();
  ASSERT_EQ(fromPage.size(), recorded.size());
  for (std::size_t i = 0; i < recorded.size(); ++i) {
    EXPECT_EQ(fromPage[i].above, recorded[i].above) << i;
    EXPECT_EQ(fromPage[i].upTo, recorded[i].upTo) << i;
    EXPECT_EQ(fromPage[i].charges, recorded[i].charges) << i;
  }
}

}  // namespace
}  // namespace vendaro
