#include "app/Form1.h"

#include <exception>
#include <map>
#include <vector>

#include "app/DistinctEntries.h"
#include "app/ListFile.h"
#include "app/ToolbarBitmaps.h"
#include "app/TypedAddress.h"
#include "common/ImagePages.h"
#include "common/TextFile.h"
#include "common/TextSearch.h"
#include "platform/AppFolder.h"

namespace vendaro {
namespace {

constexpr int kEnterKey = 13;
constexpr int kDeleteKey = 46;
constexpr const char* kRefusalMessage = " Sorry! You have no right to see it!!!";

// Runs one step of a sequence whose errors are ignored.
template <typename Step>
void ignoringErrors(Step step) {
  try {
    step();
  } catch (const std::exception&) {
  }
}

bool contains(const ListControl& list, const std::string& entry) {
  for (const auto& item : list.items()) {
    if (item == entry) return true;
  }
  return false;
}

void addIfAbsent(ListControl& list, const std::string& entry) {
  if (!contains(list, entry)) list.AddItem(entry);
}

// Adds each entry not yet in `list`. The duplicate test goes through a hash
// set beside the list, so a list of a million entries loads in linear time.
void addAllAbsent(ListControl& list, std::vector<std::string> entries) {
  list.AddItems(distinctEntries(std::move(entries), list.items()));
}

std::string setAsideMessage(const std::vector<std::string>& problems) {
  std::string message =
      "These saved lists could not be read. They are left as they are and will not be "
      "overwritten when Vendaro closes:";
  for (const auto& problem : problems) message += "\n" + problem;
  return message;
}

}  // namespace

Form1::Form1(Form1Platform platform)
    : WebBrowser1(platform.webBrowser1, true),
      WebBrowser5(platform.webBrowser5, false),
      transfers(platform.makeTransfer),
      platform_(std::move(platform)) {
  Combo2.setText("http://");
  mainMenu.onClick = [this](const std::string& name) { menu_Click(name); };
  offers.menuEntry = [this](const std::string& name) { return mainMenu.find(name); };
  commands.placeInMenu = [this](const std::string& name, const MenuPlace& place) {
    mainMenu.placeEntry(name, place);
  };
  offers.setAsideList = [this](const std::string& backslashName) {
    const auto found = setAside_.find(backslashName);
    return found == setAside_.end() ? std::string() : found->second;
  };
  offers.toolbarButton = [this](const std::string& name) -> PictureBox* {
    for (const auto& button : toolbar.buttons()) {
      if (button->name == name) return &button->picture;
    }
    return nullptr;
  };
  registerCommands();
}

void Form1::registerCommands() {
  commands.add("exit", [this] { exit_Click(); });
  commands.add("back", [this] { back_Click(); });
  commands.add("forward", [this] { forward_Click(); });
  commands.add("home", [this] { home_Click(); });
  commands.add("refresh", [this] { refresh_Click(); });
  commands.add("sear", [this] { sear_Click(); });
  commands.add("search", [this] { search_Click(); });
  registerToolbarCommands();
  registerMenuCommands();
}

// The toolbar buttons the main window serves itself; the others (search,
// favorites, history, channels, image collection, private zone, next home
// page) are registered by their subsystems under the button's name.
void Form1::registerToolbarCommands() {
  commands.add("Picture2", [this] { Picture2_Click(); });
  commands.add("Picture3", [this] { Picture3_Click(); });
  commands.add("Picture4", [this] { Picture4_Click(); });
  commands.add("Picture5", [this] { Picture5_Click(); });
  commands.add("Picture6", [this] { Picture6_Click(); });
  commands.add("Picture19", [this] { launchers_.startMailProgram(); });
  commands.add("Picture20", [this] { launchers_.startPublisher(); });
  commands.add("Picture21", [this] { launchers_.startCalculator(); });
  commands.add("Picture23", [this] { Picture23_MouseUp(); });
  commands.add("Picture241", [this] {
    research.List7.Clear();
    research.List3.Clear();
    commands.run("getlinks");
  });
  commands.add("Picture26", [this] { linkStepping_.previousLink(); });
  commands.add("Picture27", [this] { linkStepping_.nextLink(); });
  commands.add("Picture28", [this] { linkStepping_.clearLinks(); });
}

void Form1::registerMenuCommands() {
  commands.add("open_file", [this] { fileCommands_.open_file_Click(); });
  commands.add("opcollect", [this] { fileCommands_.opcollect_Click(); });
  commands.add("save_file", [this] { fileCommands_.save_file_Click(); });
  commands.add("pagesetup", [this] { fileCommands_.pagesetup_Click(); });
  commands.add("print", [this] { fileCommands_.print_Click(); });
  commands.add("copy", [this] { fileCommands_.copy_Click(); });
  commands.add("selectall", [this] { fileCommands_.selectall_Click(); });
  // The publisher, unless a publishing subsystem registers its own window.
  commands.add("pub_shng", [this] { launchers_.startPublisher(); });
  // Help pages on the vendor site, in WebBrowser1 whether it is shown or not.
  for (const auto& [entry, path] :
       {std::pair{"get_start", "/gtst.htm"}, std::pair{"hic", "/how.htm"},
        std::pair{"special", "/customization.htm"}, std::pair{"about", "/about.htm"}}) {
    const std::string page = path;
    commands.add(entry, [this, page] {
      panes.onMainPane([&](Browser& pane) { pane.Navigate(platform_.vendor.address(page)); });
    });
  }
}

std::filesystem::path Form1::file(const char* backslashName) const {
  return appFile(appFolder_, backslashName);
}

void Form1::Form_Load() {
  const VendorSettings& vendor = platform_.vendor;
  WebBrowser5.browser().Navigate(vendor.address("/welcome.htm"));
  runSteps(hooks.onLoad);
  appFolder_ = platform_.appFolder;

  ignoringErrors([&] { readAddressHistory(); });
  ignoringErrors([&] { readList("\\domain.prv", saved.domain); });
  ignoringErrors([&] { readList("\\domain2.txt", saved.domain2); });
  ignoringErrors([&] { readList("\\favor.prv", saved.favorit); });
  ignoringErrors([&] { readList("\\favor2.txt", saved.favorit2); });
  ignoringErrors([&] { StatusBar1.setPanelText(2, "Public zone"); });
  ignoringErrors([&] { readShownHomePages(); });
  ignoringErrors([&] { windowState = readWholeFile(file("\\window.state")).value_or(""); });
  installDefaultBitmaps();
  toolbar.Form_MouseMove();
  reportSetAsideLists();
}

// A merchant may replace the toolbar's bitmaps in the application folder; a
// missing one is written from the program's default set.
void Form1::installDefaultBitmaps() {
  for (const std::string& name : toolbar.bitmapNames()) {
    const std::filesystem::path path = appFolder_ / name;
    std::error_code error;
    if (std::filesystem::exists(path, error) || error) continue;
    if (const auto bitmap = defaultToolbarBitmap(name)) {
      (void)writeWholeFile(path, std::string(*bitmap));
    }
  }
}

std::vector<std::string> Form1::loadList(const char* backslashName) {
  list_file::Loaded loaded = list_file::load(file(backslashName));
  if (loaded.state == list_file::Loaded::State::SetAside) {
    setAside_[backslashName] = file(backslashName).string() + ": " + loaded.problem;
  }
  return std::move(loaded.entries);
}

void Form1::readAddressHistory() {
  for (const auto& entry : loadList("\\lb.prv")) AddToAddressHistory(entry);
}

void Form1::readList(const char* backslashName, ListControl& list) {
  addAllAbsent(list, loadList(backslashName));
}

void Form1::readShownHomePages() {
  // Entries never hold a line break; duplicates are kept.
  saved.List6.AddItems(loadList("\\list6.prv"));
}

void Form1::reportSetAsideLists() {
  if (setAside_.empty()) return;
  std::vector<std::string> problems;
  for (const auto& [name, problem] : setAside_) problems.push_back(problem);
  // Told once, after the window has appeared.
  platform_.loop.post([this, message = setAsideMessage(problems)] {
    platform_.dialogs.MsgBox(message, MessageButtons::Ok, MessageIcon::Exclamation);
  });
}

bool Form1::isSetAside(const std::string& backslashName) const {
  return setAside_.count(backslashName) != 0;
}

void Form1::AddToAddressHistory(const std::string& entry) {
  if (positionOf(entry, kCrLf) != 0) return;
  if (Combo2.ListCount() == kAddressHistoryLimit) Combo2.RemoveItem(kAddressHistoryLimit - 1);
  addIfAbsent(Combo2, entry);
}

void Form1::Form_Unload() {
  runSteps(hooks.onUnload);
  for (const char* form : {"Form2", "Form3", "Wizard1"}) {
    ignoringErrors([&] { toolWindows.close(form); });
  }
  writeSavedLists();
}

void Form1::writeSavedLists() {
  writeImageBufferPages(Quoting::Quoted);
  writeList("\\lb.prv", Combo2);
  writeList("\\domain.prv", saved.domain);
  writeList("\\list6.prv", saved.List6);
  writeList("\\domain2.txt", saved.domain2);
  if (!windowState.empty()) (void)writeWholeFile(file("\\window.state"), windowState);
}

void Form1::Form_Terminate() {
  writeImageBufferPages(Quoting::Plain);
}

void Form1::menu_Click(const std::string& name) {
  commands.run(name);
}

void Form1::exit_Click() {
  if (onCloseRequested) onCloseRequested();
}

void Form1::runSteps(const std::map<std::string, std::function<void()>>& steps) {
  for (const auto& [tool, step] : steps) ignoringErrors(step);
}

MainWindowPorts Form1::ports() {
  return {statusText,
          panes,
          {platform_.webBrowser2, platform_.webBrowser3, platform_.webBrowser4},
          transfers,
          {Combo2, Combo1, Caption},
          saved,
          research,
          zone,
          hooks,
          offers};
}

void Form1::writeList(const char* backslashName, const ListControl& list) {
  // A file that could not be read at start holds entries the list does not
  // have: it stays as it is.
  if (isSetAside(backslashName)) return;
  // A list that cannot be written is skipped; the other lists are still written.
  (void)list_file::write(file(backslashName), list);
}

void Form1::writeImageBufferPages(Quoting quoting) {
  const std::string page = plainBufferPage(saved.List2.items(), AddressQuoting::QuotePercent);
  if (quoting == Quoting::Quoted) {
    (void)writeWholeFile(file("\\error.htm"), "\"" + page + "\"" + std::string(kCrLf));
  } else {
    (void)writeWholeFile(file("\\error1.htm"), page + std::string(kCrLf));
  }
}

void Form1::Combo2_KeyPress(int keyAscii) {
  if (keyAscii != kEnterKey) return;
  if (Combo2.ListCount() == kAddressBarLimit) Combo2.RemoveItem(0);
  addIfAbsent(Combo2, Combo2.Text());
  GoToAddress();
}

void Form1::Combo2_Click() {
  GoToAddress();
}

void Form1::GoToAddress() {
  const std::string address = Combo2.Text();
  if (zone.inPrivateZone) {
    openTypedAddress(address);
    return;
  }
  const int match = privateHistoryMatch(address);
  if (match >= 0) {
    refuseAddress(match);
    return;
  }
  openTypedAddress(address);
}

// A text that is no address shows a page that says so, not a blank page.
void Form1::openTypedAddress(const std::string& address) {
  if (isOpenableAddress(address)) {
    panes.navigateVisible(address);
    return;
  }
  panes.onVisiblePanes([&](Browser& pane) { pane.writeDocument(addressErrorPage(address)); });
}

int Form1::privateHistoryMatch(const std::string& address) const {
  // Every entry but the last is compared.
  for (int i = 0; i <= saved.domain.ListCount() - 2; ++i) {
    if (containsIgnoringCase(address, saved.domain.List(i))) return i;
  }
  return -1;
}

void Form1::refuseAddress(int historyIndex) {
  const std::string entry = saved.domain.List(historyIndex);
  platform_.dialogs.MsgBox(kRefusalMessage, MessageButtons::Ok, MessageIcon::None);
  // Positions are visited upward while the list shrinks, so an entry that
  // moves into a position just visited is not tested again.
  for (int i = 0; i < saved.listlinks.ListCount(); ++i) {
    if (containsIgnoringCase(saved.listlinks.List(i), entry)) saved.listlinks.RemoveItem(i);
  }
  if (hooks.enterPrivateZone) hooks.enterPrivateZone();
}

void Form1::Combo1_KeyPress(int keyAscii) {
  if (keyAscii != kEnterKey) return;
  Combo1.AddItem(Combo1.Text(), 0);
  Combo1.setText("");
}

void Form1::Combo1_KeyDown(int keyCode) {
  if (keyCode != kDeleteKey) return;
  const auto& entries = Combo1.items();
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (entries[i] == Combo1.Text()) {
      Combo1.RemoveItem(static_cast<int>(i));
      break;
    }
  }
  Combo1.setText("");
}

void Form1::Picture2_Click() {
  panes.onVisiblePanes([](Browser& pane) { pane.GoBack(); });
}

void Form1::Picture3_Click() {
  panes.onVisiblePanes([](Browser& pane) { pane.GoForward(); });
}

void Form1::Picture4_Click() {
  panes.onVisiblePanes([](Browser& pane) { pane.Stop(); });
  runSteps(hooks.onStop);
  ignoringErrors([&] { Caption.setCaption(WebBrowser1.browser().LocationName()); });
}

void Form1::Picture5_Click() {
  panes.navigateVisible(platform_.vendor.baseUrl);
}

void Form1::Picture6_Click() {
  panes.onVisiblePanes([](Browser& pane) { pane.Refresh(); });
}

void Form1::Picture23_MouseUp() {
  const bool showMainPane = WebBrowser5.Visible();
  WebBrowser5.setVisible(!showMainPane);
  WebBrowser1.setVisible(showMainPane);
  Caption.setCaption(showMainPane ? "Browser 1" : "Browser 2");
  // The address bar shows the address of the pane on screen.
  if (!zone.inPrivateZone) {
    const BrowserPane& shown = showMainPane ? WebBrowser1 : WebBrowser5;
    Combo2.setText(shown.browser().LocationURL());
  }
}

void Form1::back_Click() {
  panes.onMainPane([](Browser& pane) { pane.GoBack(); });
}

void Form1::forward_Click() {
  panes.onMainPane([](Browser& pane) { pane.GoForward(); });
}

void Form1::home_Click() {
  panes.onMainPane([&](Browser& pane) { pane.Navigate(platform_.vendor.baseUrl); });
}

void Form1::refresh_Click() {
  panes.onMainPane([](Browser& pane) { pane.Refresh(); });
}

void Form1::Form_Resize(float scaleWidth, float scaleHeight) {
  layout.resize(scaleWidth, scaleHeight);
}

}  // namespace vendaro
