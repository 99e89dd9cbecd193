#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/MailboxIntake.h"
#include "common/VendorSettings.h"
#include "platform/BrowserPane.h"
#include "platform/Dialogs.h"
#include "platform/controls/CheckBox.h"
#include "platform/controls/Label.h"
#include "platform/controls/ListControl.h"
#include "platform/controls/OptionButton.h"
#include "platform/controls/StatusBar.h"
#include "platform/controls/TextBox.h"
#include "store/DiskSiteFiles.h"
#include "store/StoreInput.h"
#include "store/StoreProject.h"
#include "store/StoreService.h"
#include "store/StoreSettings.h"

namespace vendaro {

// What the store wizard talks to: the platform services and the parts of the
// main window it reaches into. Without a main window (headless commands) the
// address bar and pane are null, and "Get it" and "Preview" do nothing.
struct Wizard1Platform {
  Dialogs& dialogs;
  const StoreSettings& settings;
  const VendorSettings& vendor;
  std::filesystem::path appFolder;
  const ListControl* addressBar = nullptr;  // the main window's Combo2
  BrowserPane* browserPane = nullptr;       // the main window's WebBrowser1
  std::function<void()> showOrders;         // opens the order viewer
  // Opens a page in the web editor ("Edit"); empty: "Edit" names the page.
  std::function<void(const std::filesystem::path& page)> openInEditor = {};
};

// What the last "Generate" or "Update" did, as the status bar and the
// messages show it. Its pages are written all or nothing: either every page
// is written or none is changed.
struct GenerationRun {
  std::vector<std::filesystem::path> written;
  std::size_t notWritten = 0;  // every page generated, when writing failed
  std::vector<GeneratorReport> reports;
  std::string failure;  // why nothing was written, shown to the merchant; empty otherwise
  // Why the published catalogue could not be recorded; empty when it was.
  std::string recordFailure;
};

// The store wizard `Wizard1`: a store project (categories and their items),
// the page layout and HTML snippets, the project files, and the generation
// of the shop site into the project folder.
class Wizard1 {
 public:
  static constexpr const char* kNewProjectPrompt = "Enter the new project's name , please";
  static constexpr const char* kNewProjectTitle = "New Project's Name";
  static constexpr const char* kProjectExists =
      "You already have the project with the same name.Please remove appropriate folder";
  static constexpr const char* kFillCategories =
      "You may fill the category listing for the new Store";
  static constexpr const char* kUnusableProjectName =
      "A project name must not be empty, \".\" or \"..\", and must not contain \"/\" or \"\\\". "
      "Nothing was written.";
  static constexpr const char* kUnusableStockCount =
      "The quantity on hand must be a whole number from 0 to 999999999, or empty for an item "
      "whose stock is not counted.";
  static constexpr const char* kUnusableCategoryName =
      "A category name must not be empty, \".\" or \"..\", and must not contain \"/\" or \"\\\". "
      "Nothing was written.";
  static constexpr const char* kNoProject = "Create or open a project first. Nothing was written.";
  static constexpr const char* kNotAProjectFolder =
      "This file does not lie in a project folder of the application folder, so it was not "
      "opened; the current project stays open. The projects are the folders of ";
  static constexpr const char* kGenerateFirst = "Generate the site first.";
  static constexpr const char* kItemColumns[] = {"Item ID",     "Item Description", "Price",
                                                 "Picture URL", "Description URL",  "Manufacturer",
                                                 "Weight"};
  static constexpr const char* kProjectFilter = "Project file (*.caa)|*.caa";
  static constexpr const char* kSettingsFilter = "Project file (*.sit)|*.sit";

  explicit Wizard1(Wizard1Platform platform);
  Wizard1(const Wizard1&) = delete;
  Wizard1& operator=(const Wizard1&) = delete;

  // "Project" tab.
  void Command12_Click();  // New Project
  void Command2_Click();   // Open Project
  void Command11_Click();  // Clear listing
  void Command9_Click();   // Add Category
  void List1_DblClick();   // removes the chosen category

  // "Layout" tab.
  void Combo1_Click();     // loads the item file of the chosen category
  void List2_Click();      // shows the chosen record in the entry boxes
  void List2_DblClick();   // removes the chosen record, keeping it in the boxes
  void Command3_Click();   // Add
  void Command5_Click();   // Save changes
  void Command1_Click();   // Up
  void Command10_Click();  // Down
  void Command7_Click();   // Get it
  void Command8_Click();   // New: empty boxes for the next item
  void cmdEdit_Click();    // Edit: the start page in the web editor
  void Command13_Click();  // Update: the start page only
  void Command14_Click();  // Generate: the whole site
  void Command4_Click();   // Preview

  // "Web Style" tab: the three layouts exclude each other.
  void Option1_Click();
  void Option2_Click();
  void Option3_Click();

  void Command6_Click();    // Open settings
  void Command151_Click();  // Show Orders
  // A tab change stores the project.
  void SSTab1_Click(int previousTab);

  // The steps behind the dialogs, also used by the headless commands.
  // Opening a project also loads its settings file when there is one; false
  // (with a message) when the file is not in a project folder.
  bool openProjectFile(const std::string& chosenFile);
  void openSettingsFile(const std::string& chosenFile);
  // Fills Combo1 with the categories of List1, as a tab change does.
  void fillCategoryChoice();
  // Chooses category `index` of Combo1 and loads its items.
  void chooseCategory(int index);

  // The fields of item entry `index` of List2, in the order of kItemColumns.
  std::vector<std::string> itemColumns(int index) const;

  const GenerationRun& lastGeneration() const { return lastGeneration_; }
  // Where "Generate" and "Update" write the pages: the disk unless a test
  // puts something else here.
  void useSiteFiles(SiteFiles& files) { siteFiles_ = &files; }
  StoreProject project() const;
  // The address the site is published at: the responsive pages name their
  // canonical addresses below it. Empty (the default): no canonical links.
  std::string siteAddress;

  Label Caption{"Vendaro 2.0"};

  // "Web Style".
  OptionButton Option1{"Banner and contents menu"};
  OptionButton Option2{"Contents menu only"};
  OptionButton Option3{"Responsive"};
  TextBox Text14{"index"};  // start file name

  // "Project".
  TextBox Text6;  // project name
  // Text1[0] category entry; Text1[2] to Text1[6] item entry boxes.
  std::array<TextBox, 7> Text1;
  ListControl List1;  // categories

  // "Settings": snippet boxes.
  TextBox Text5;  // e-mail order form start
  TextBox Text4;  // go back URL
  TextBox Text3;  // font style
  TextBox Text2;  // table style
  TextBox Text7;  // gateway order form start

  // "Layout".
  ListControl Combo1;  // categories of the project
  TextBox Text8;       // manufacturer
  TextBox Text9;       // weight
  // The quantity on hand, kept in the project's stock file; empty: not counted.
  TextBox txtOnHand;
  CheckBox Check1{"Manufacturer"};
  CheckBox Check2{"Picture URL"};
  CheckBox Check3{"Description URL"};
  CheckBox Check4{"Weight"};
  // E-mail orders through the order script "order.php" instead of mailto:.
  CheckBox chkOrderScript{"Order script"};
  TextBox Text15;     // sales tax in per cent; the project keeps the fraction
  ListControl List2;  // item records of the chosen category
  // Hidden order-page templates.
  TextBox Text10, Text11, Text12, Text13, Text16, Text17;

  StatusBar StatusBar1{2};

  // "E-Mail DB": the order intake, injected by whoever opens the wizard with
  // a mailbox and a database; headless commands leave it empty.
  std::unique_ptr<MailboxIntake> intake;

  // The view moves the keyboard focus to this control.
  std::function<void(const Control&)> onFocus;

 private:
  void setDefaultSnippets();
  std::filesystem::path startPage() const;
  // Appends categories to List1, leaving out (and naming) repeats.
  void addCategories(const std::vector<std::string>& categories);
  void clearEntryBoxes();
  // Keeps the typed count of one item in the project's stock file.
  void keepStockCount(const std::string& itemId, std::optional<std::int64_t> onHand);
  // Loads the item file of `category` into List2; a file that leads outside
  // the project folder is not read, and the reason is returned.
  std::optional<std::string> loadCategoryItems(const std::string& category);
  // The text of `category`'s item file (none when there is no readable
  // file), or the refusal when the file leads outside the project folder.
  std::optional<std::string> readItemFile(const std::string& category, std::string& text) const;
  void showRecord(const std::string& record);
  void showItem(const ItemRecord& item);
  ItemRecord recordFromBoxes() const;
  ProjectSettings settingsFromBoxes() const;
  void showSettings(const ProjectSettings& settings);
  void focus(const Control& control);
  // Where the open dialogs start: the projects are there.
  std::string appFolderText() const;
  // The generator's input from the boxes and the item files; a refusal when
  // the site must not be generated. Lines left out are added to `reports`.
  std::optional<std::string> collectStoreInput(StoreInput& input,
                                               std::vector<GeneratorReport>& reports);
  std::optional<std::string> readCategories(StoreInput& input,
                                            std::vector<GeneratorReport>& reports);
  // "Generate" and "Update": the store service with the boxes' input.
  void generate(SiteScope scope);
  void showRun(SiteRun run);
  SiteLayout chosenLayout() const;
  // Ends a "Generate" or "Update" that writes nothing, saying why.
  void refuseGeneration(const std::string& why);
  void showReports(const std::vector<GeneratorReport>& reports);

  Wizard1Platform platform_;
  DiskSiteFiles diskFiles_;
  SiteFiles* siteFiles_ = &diskFiles_;
  GenerationRun lastGeneration_;
};

}  // namespace vendaro
