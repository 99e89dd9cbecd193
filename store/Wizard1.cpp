#include "store/Wizard1.h"

#include <algorithm>
#include <stdexcept>

#include "common/ListReordering.h"
#include "common/StockFile.h"
#include "common/TextFile.h"
#include "store/OrderScript.h"
#include "store/SalesTax.h"
#include "store/StoreChecks.h"
#include "store/TemplateDefaults.h"

namespace vendaro {
namespace {

bool contains(const std::vector<std::string>& list, const std::string& entry) {
  return std::find(list.begin(), list.end(), entry) != list.end();
}

constexpr int kFirstItemBox = 2;
constexpr int kLastItemBox = 6;

}  // namespace

Wizard1::Wizard1(Wizard1Platform platform) : platform_(std::move(platform)) {
  Option1.setValue(true);
  chkOrderScript.setValue(platform_.settings.orderScript ? 1 : 0);
  setDefaultSnippets();
}

void Wizard1::setDefaultSnippets() {
  showSettings(defaultProjectSettings(platform_.settings));
  const TemplateDefaults defaults = templateDefaults(platform_.settings);
  Text10.setText(defaults.text10);
  Text11.setText(defaults.text11);
  Text12.setText(defaults.text12);
  Text13.setText(defaults.text13);
  Text16.setText(defaults.text16);
  Text17.setText(defaults.text17);
}

StoreProject Wizard1::project() const {
  return StoreProject(platform_.appFolder, Text6.Text());
}

std::string Wizard1::appFolderText() const {
  return platform_.appFolder.string();
}

void Wizard1::focus(const Control& control) {
  if (onFocus) onFocus(control);
}

// ---- Project tab ----

void Wizard1::Command12_Click() {
  std::optional<std::string> answer =
      platform_.dialogs.InputBox(kNewProjectPrompt, kNewProjectTitle);
  if (!answer) return;  // cancelled: nothing to create
  if (!isContainedName(*answer)) {
    platform_.dialogs.MsgBox(kUnusableProjectName);
    return;
  }
  Text6.setText(*answer);
  if (!project().createFolder()) {
    platform_.dialogs.MsgBox(kProjectExists);
    platform_.dialogs.ShowOpen("", "", appFolderText());  // lets the user look; ignored
    Text6.setText("");
    return;
  }
  platform_.dialogs.MsgBox(kFillCategories);
  Text1[0].setText("");
  List1.Clear();
}

void Wizard1::Command2_Click() {
  std::optional<std::string> chosen =
      platform_.dialogs.ShowOpen("", kProjectFilter, appFolderText());
  // Cancelling keeps the current project and its categories, which the next
  // tab change would otherwise store as an empty list.
  if (!chosen || chosen->empty()) return;
  openProjectFile(*chosen);
}

bool Wizard1::openProjectFile(const std::string& chosenFile) {
  std::optional<std::string> name = projectOfCategoryFile(platform_.appFolder, chosenFile);
  if (!name) {
    platform_.dialogs.MsgBox(kNotAProjectFolder + appFolderText() + ".");
    return false;
  }
  List1.Clear();
  Text6.setText(*name);
  if (std::optional<std::string> text = readWholeFile(chosenFile)) {
    addCategories(categoryLines(*text));
  }
  // The next tab change writes the settings file from the boxes, so they
  // must hold what was saved, not the defaults.
  if (std::optional<std::string> settings = readWholeFile(project().settingsFile())) {
    showSettings(parseSettingsFile(*settings));
  }
  return true;
}

void Wizard1::addCategories(const std::vector<std::string>& categories) {
  std::string repeats;
  for (const std::string& category : categories) {
    if (!contains(List1.items(), category)) {
      List1.AddItem(category);
    } else {
      repeats += "\n" + repeatedCategoryNote(category);
    }
  }
  if (!repeats.empty()) platform_.dialogs.MsgBox(repeats.substr(1));
}

void Wizard1::Command11_Click() {
  List1.Clear();
  focus(Text1[0]);
}

void Wizard1::Command9_Click() {
  const std::string category = Text1[0].Text();
  if (!isContainedName(category)) {
    platform_.dialogs.MsgBox(kUnusableCategoryName);
    focus(Text1[0]);
    return;
  }
  List1.AddItem(category);
  Text1[0].setText("");
  focus(Text1[0]);
}

void Wizard1::List1_DblClick() {
  if (List1.ListIndex() >= 0) List1.RemoveItem(List1.ListIndex());
}

// ---- Layout tab: categories and items ----

void Wizard1::Combo1_Click() {
  const std::string category = Combo1.Text();
  std::string problems;
  if (std::optional<std::string> refusal = loadCategoryItems(category)) problems = *refusal;
  for (int line = 0; line < List2.ListCount(); ++line) {
    const std::size_t fields = itemFieldCount(List2.List(line));
    if (fields == kItemFields) continue;
    if (!problems.empty()) problems += "\n";
    problems += "Line " + std::to_string(line + 1) + " of the item file of category \"" + category +
                "\" has " + std::to_string(fields) +
                " fields instead of seven, so its values would shift; it is left out of the shop "
                "until it is corrected.";
  }
  if (!problems.empty()) platform_.dialogs.MsgBox(problems);
}

void Wizard1::chooseCategory(int index) {
  Combo1.setListIndex(index);
  Combo1_Click();
}

void Wizard1::clearEntryBoxes() {
  for (int box = kFirstItemBox; box <= kLastItemBox; ++box) Text1[box].setText("");
  Text8.setText("");
  Text9.setText("");
  txtOnHand.setText("");
}

std::optional<std::string> Wizard1::loadCategoryItems(const std::string& category) {
  List2.Clear();
  clearEntryBoxes();
  std::string text;
  std::optional<std::string> refusal = readItemFile(category, text);
  for (std::string_view record : lineViews(text)) List2.AddItem(std::string(record));
  return refusal;
}

std::optional<std::string> Wizard1::readItemFile(const std::string& category,
                                                 std::string& text) const {
  const StoreProject current = project();
  std::optional<std::filesystem::path> file = current.itemFile(category);
  if (!file) return std::nullopt;
  if (current.leadsOutside(*file)) return itemFileOutsideRefusal(category);
  if (!current.usable()) return std::nullopt;
  if (std::optional<std::string> content = readWholeFile(*file)) text = std::move(*content);
  return std::nullopt;
}

void Wizard1::showRecord(const std::string& record) {
  const ItemRecord item = parseItemRecord(record);
  showItem(item);
  const StoreProject current = project();
  const StockCounts counts = current.usable() ? readStockFile(current.stockFile()) : StockCounts{};
  const auto count = counts.find(item.id);
  txtOnHand.setText(count == counts.end() ? "" : std::to_string(count->second));
}

void Wizard1::showItem(const ItemRecord& item) {
  Text1[2].setText(item.id);
  Text1[5].setText(item.description);
  Text1[4].setText(item.price);
  Text1[6].setText(item.pictureUrl);
  Text1[3].setText(item.descriptionUrl);
  Text8.setText(item.manufacturer);
  Text9.setText(item.weight);
}

ItemRecord Wizard1::recordFromBoxes() const {
  return ItemRecord{Text1[2].Text(), Text1[5].Text(), Text1[4].Text(), Text1[6].Text(),
                    Text1[3].Text(), Text8.Text(),    Text9.Text()};
}

std::vector<std::string> Wizard1::itemColumns(int index) const {
  const ItemRecord item = parseItemRecord(List2.List(index));
  return {item.id,       item.description, item.price, item.pictureUrl, item.descriptionUrl,
          item.manufacturer, item.weight};
}

void Wizard1::Command8_Click() {
  clearEntryBoxes();
  List2.setListIndex(-1);
  focus(Text1[2]);
}

void Wizard1::List2_Click() {
  if (List2.ListIndex() >= 0) showRecord(List2.List(List2.ListIndex()));
}

void Wizard1::List2_DblClick() {
  const int chosen = List2.ListIndex();
  if (chosen < 0) return;
  showRecord(List2.List(chosen));
  List2.RemoveItem(chosen);
  Command5_Click();
}

void Wizard1::Command3_Click() {
  const ItemRecord item = recordFromBoxes();
  if (std::optional<std::string> why = itemEntryRefusal(item)) {
    platform_.dialogs.MsgBox(*why);
    return;
  }
  const std::optional<std::optional<std::int64_t>> onHand = typedStockCount(txtOnHand.Text());
  if (!onHand) {
    platform_.dialogs.MsgBox(kUnusableStockCount);
    return;
  }
  List2.AddItem(itemRecordLine(item));
  Command5_Click();
  keepStockCount(item.id, *onHand);
}

// Only this item's count is written, over the file as it is now: the order
// side may have changed other counts since the tab was shown.
void Wizard1::keepStockCount(const std::string& itemId, std::optional<std::int64_t> onHand) {
  const StoreProject current = project();
  if (!current.usable() || itemId.empty()) return;
  StockCounts counts = readStockFile(current.stockFile());
  const auto kept = counts.find(itemId);
  if (onHand ? kept != counts.end() && kept->second == *onHand : kept == counts.end()) return;
  if (onHand) {
    counts[itemId] = *onHand;
  } else {
    counts.erase(itemId);
  }
  if (!writeStockFile(current.stockFile(), counts)) {
    platform_.dialogs.MsgBox("The quantity on hand could not be written to " +
                             current.stockFile().string() + ".");
  }
}

void Wizard1::Command5_Click() {
  const StoreProject current = project();
  if (!current.usable()) {
    platform_.dialogs.MsgBox(Text6.Text().empty() ? kNoProject : kUnusableProjectName);
    return;
  }
  std::optional<std::filesystem::path> file = current.itemFile(Combo1.Text());
  if (!file) {
    platform_.dialogs.MsgBox(kUnusableCategoryName);
    return;
  }
  if (!current.writeLines(*file, List2.items())) {
    platform_.dialogs.MsgBox("The items could not be written to " + file->string() + ".");
  }
}

void Wizard1::Command1_Click() {
  MoveItemUp(List2);
}
void Wizard1::Command10_Click() {
  MoveItemDown(List2);
}

void Wizard1::Command7_Click() {
  if (platform_.addressBar) Text1[3].setText(platform_.addressBar->Text());
}

// ---- Web Style tab ----

void Wizard1::Option1_Click() {
  Option1.setValue(true);
  Option2.setValue(false);
  Option3.setValue(false);
}

void Wizard1::Option2_Click() {
  Option2.setValue(true);
  Option1.setValue(false);
  Option3.setValue(false);
}

void Wizard1::Option3_Click() {
  Option3.setValue(true);
  Option1.setValue(false);
  Option2.setValue(false);
}

SiteLayout Wizard1::chosenLayout() const {
  if (Option3.Value()) return SiteLayout::Responsive;
  return Option1.Value() ? SiteLayout::BannerAndContents : SiteLayout::ContentsOnly;
}

// ---- Settings ----

ProjectSettings Wizard1::settingsFromBoxes() const {
  return ProjectSettings{Text5.Text(),  Text4.Text(),  Text3.Text(), Text2.Text(),
                         Text14.Text(), salesTaxFraction(Text15.Text()), Text7.Text()};
}

void Wizard1::showSettings(const ProjectSettings& settings) {
  Text5.setText(settings.emailAction);
  Text4.setText(settings.goBackUrl);
  Text3.setText(settings.fontStyle);
  Text2.setText(settings.tableStyle);
  Text14.setText(settings.startFile);
  Text15.setText(salesTaxPercent(settings.salesTax));
  Text7.setText(settings.formAction);
}

void Wizard1::Command6_Click() {
  std::optional<std::string> chosen =
      platform_.dialogs.ShowOpen("", kSettingsFilter, appFolderText());
  if (!chosen || chosen->empty()) return;
  openSettingsFile(*chosen);
}

void Wizard1::openSettingsFile(const std::string& chosenFile) {
  std::optional<std::string> text = readWholeFile(chosenFile);
  showSettings(text ? parseSettingsFile(*text) : ProjectSettings{});
}

void Wizard1::Command151_Click() {
  if (platform_.showOrders) platform_.showOrders();
}

// ---- Storing on tab change ----

void Wizard1::fillCategoryChoice() {
  Combo1.Clear();
  Combo1.setText("");
  for (const std::string& category : List1.items()) Combo1.AddItem(category);
}

void Wizard1::SSTab1_Click(int /*previousTab*/) {
  if (Text6.Text().empty()) return;
  const StoreProject current = project();
  if (!current.usable()) {
    platform_.dialogs.MsgBox(kUnusableProjectName);
    return;
  }
  bool stored = current.writeLines(current.itemListFile(), List2.items());
  stored = current.writeLines(current.categoryFile(), List1.items()) && stored;
  fillCategoryChoice();
  stored = current.writeSettings(settingsFromBoxes()) && stored;
  StatusBar1.setPanelText(
      1, stored ? "" : "The project could not be stored in " + current.folder().string());
}

// ---- Preview and generation ----

std::filesystem::path Wizard1::startPage() const {
  const char* extension = chosenLayout() == SiteLayout::Responsive ? ".html" : ".htm";
  return platform_.appFolder / Text6.Text() / (Text14.Text() + extension);
}

void Wizard1::Command4_Click() {
  if (!platform_.browserPane) return;
  platform_.browserPane->setVisible(true);
  platform_.browserPane->browser().Navigate(startPage().string());
}

void Wizard1::cmdEdit_Click() {
  std::error_code error;
  if (Text6.Text().empty() || !std::filesystem::is_regular_file(startPage(), error)) {
    platform_.dialogs.MsgBox(kGenerateFirst);
    return;
  }
  if (platform_.openInEditor) {
    platform_.openInEditor(startPage());
  } else {
    platform_.dialogs.MsgBox("The start page is " + startPage().string() + ".");
  }
}

std::optional<std::string> Wizard1::collectStoreInput(StoreInput& input,
                                                      std::vector<GeneratorReport>& reports) {
  input = storeInputOf(settingsFromBoxes(), platform_.settings, platform_.vendor);
  input.layout = chosenLayout();
  input.siteAddress = siteAddress;
  input.manufacturer = Check1.checked();
  input.descriptionUrl = Check3.checked();
  input.pictureUrl = Check2.checked();
  input.weight = Check4.checked();
  if (chkOrderScript.checked()) {
    input.orderScriptAddress = orderAddressOf(Text5.Text(), platform_.settings.orderEmail);
  }
  input.template10 = Text10.Text();
  input.template11 = Text11.Text();
  input.template12 = Text12.Text();
  input.template13 = Text13.Text();
  input.template16 = Text16.Text();
  input.template17 = Text17.Text();
  std::optional<std::string> refusal = readCategories(input, reports);
  if (project().usable()) input.stock = readStockFile(project().stockFile());
  return refusal;
}

// Each category's item file is read straight into the input; the layout
// tab's list and boxes stay as the merchant left them.
std::optional<std::string> Wizard1::readCategories(StoreInput& input,
                                                   std::vector<GeneratorReport>& reports) {
  for (int index = 0; index < Combo1.ListCount(); ++index) {
    const std::string name = Combo1.List(index);
    // A repeated category would give a second page and script array of the
    // same name.
    if (std::find(Combo1.items().begin(), Combo1.items().begin() + index, name) !=
        Combo1.items().begin() + index) {
      reports.push_back({name, {}, "listed more than once; the repeat was left out"});
      continue;
    }
    std::string text;
    if (std::optional<std::string> refusal = readItemFile(name, text)) {
      return *refusal + " Nothing was written.";
    }
    input.categories.push_back(categoryFromItemFile(name, text, reports));
  }
  return std::nullopt;
}

void Wizard1::Command14_Click() {
  generate(SiteScope::WholeSite);
}

void Wizard1::Command13_Click() {
  generate(SiteScope::StartPageOnly);
}

// "Update" does not check the tax box: it leaves the order pages, and so
// their rate, as they are.
void Wizard1::generate(SiteScope scope) {
  std::optional<std::string> why = startFileRefusal(Text14.Text());
  if (!why && scope == SiteScope::WholeSite) why = salesTaxRefusal(Text15.Text());
  StoreInput input;
  std::vector<GeneratorReport> reports;
  if (!why) why = collectStoreInput(input, reports);
  if (!why && !project().usable()) why = Text6.Text().empty() ? kNoProject : kUnusableProjectName;
  if (why) return refuseGeneration(*why);
  showRun(publishSite(input, project(), scope, *siteFiles_, std::move(reports)));
}

void Wizard1::showRun(SiteRun run) {
  lastGeneration_ = GenerationRun{};
  if (run.written) {
    lastGeneration_.written = std::move(*run.written);
  } else {
    lastGeneration_.failure = run.written.error().message;
    lastGeneration_.notWritten = run.pages;
  }
  lastGeneration_.reports = std::move(run.reports);
  lastGeneration_.recordFailure = std::move(run.recordFailure);
  StatusBar1.setPanelText(1, std::to_string(lastGeneration_.written.size()) + " files written");
  StatusBar1.setPanelText(2, lastGeneration_.notWritten == 0
                                 ? ""
                                 : std::to_string(lastGeneration_.notWritten) +
                                       " files not written");
  if (!lastGeneration_.failure.empty()) platform_.dialogs.MsgBox(lastGeneration_.failure);
  showReports(lastGeneration_.reports);
  if (!lastGeneration_.recordFailure.empty()) {
    platform_.dialogs.MsgBox("The pages were written, but what they publish could not be recorded (" +
                             lastGeneration_.recordFailure +
                             "); arriving orders cannot be checked against it.");
  }
}

void Wizard1::refuseGeneration(const std::string& why) {
  lastGeneration_ = GenerationRun{};
  lastGeneration_.failure = why;
  StatusBar1.setPanelText(1, "No file written");
  StatusBar1.setPanelText(2, "");
  platform_.dialogs.MsgBox(why);
}

void Wizard1::showReports(const std::vector<GeneratorReport>& reports) {
  if (reports.empty()) return;
  std::string text = "Some values could not be used as typed:";
  for (const GeneratorReport& report : reports) text += "\n" + reportLine(report);
  platform_.dialogs.MsgBox(text);
}

}  // namespace vendaro
