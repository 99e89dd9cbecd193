#include "app/MainMenu.h"

#include <initializer_list>
#include <utility>

namespace vendaro {
namespace {

using Entries = std::initializer_list<std::pair<const char*, const char*>>;

void addEntries(MenuItem& menu, Entries entries) {
  for (const auto& [name, caption] : entries) menu.addChild(name, caption);
}

MenuItem* findIn(MenuItem& item, const std::string& name) {
  if (item.name() == name) return &item;
  for (int i = 0; i < item.childCount(); ++i) {
    if (MenuItem* found = findIn(item.child(i), name)) return found;
  }
  return nullptr;
}

}  // namespace

MainMenu::MainMenu() {
  addEntries(addMenu("file", "File"), {{"open_file", "Open"},
                                       {"opcollect", "Open Collection"},
                                       {"save_file", "Save As"},
                                       {"www", kSeparator},
                                       {"pagesetup", "Page setup"},
                                       {"print", "Print"},
                                       {"rrr", kSeparator},
                                       {"exit", "Exit"}});
  addEntries(addMenu("edit", "Edit"), {{"copy", "Copy"}, {"selectall", "Select All"}});
  addEntries(addMenu("finder", "Finder"), {{"addlink", "Add Link"},
                                           {"getlinks", "Get/Add all Links"},
                                           {"fff", kSeparator},
                                           {"findemail", "Find e-mail"},
                                           {"findcontact", "Find contact"},
                                           {"readit", "Find keywords"},
                                           {"hhh", kSeparator},
                                           {"viewreport", "Create Full Report"},
                                           {"readnext", "Read next"},
                                           {"createadultlisting", "Create adult listing"},
                                           {"editadultlisting", "Edit adult listing"}});
  addEntries(addMenu("view", "View"), {{"viewcatalo", "View catalog"},
                                       {"clearcatalog", "Clear catalog"},
                                       {"savecatalog", "Save catalog"},
                                       {"hhhh", kSeparator},
                                       {"imagebuf", "View image buf"},
                                       {"cllearimagebuf", "Clear image buf"},
                                       {"sreport", "Save image buf"},
                                       {"jjjj", kSeparator},
                                       {"viewlinks", "View report"},
                                       {"savereport", "Save report"},
                                       {"listlisting", "Veiw report listing"},
                                       {"viewlinkslisting", "View links listing"}});
  MenuItem& nav = addMenu("nav", "Go");
  addEntries(nav, {{"back", "Go back"},
                   {"forward", "Go Forward"},
                   {"home", "Go Home"},
                   {"sear", "Go Search"},
                   {"yyy", kSeparator},
                   {"refresh", "Refresh"},
                   {"uuu", kSeparator},
                   {"search", "Search"},
                   {"history", "History"},
                   {"chann", "Channels"},
                   {"privatte", "Private"},
                   {"add", "Add favorites"}});
  findIn(nav, "search")->setVisible(false);
  addEntries(addMenu("chann2", "Channels", false),
             {{"mboard", "Motherboard"}, {"cpu", "CPU"}, {"mem", "Memory"}});
  addEntries(addMenu("tr", "Translation"), {{"pt_en", "Portuguese to English"},
                                            {"es_en", "Spanish to English"},
                                            {"it_en", "Italian to English"},
                                            {"de_en", "German to English"},
                                            {"fr_en", "French to English"},
                                            {"en_es", "English to Spanish"},
                                            {"en_pt", "English to Portuguese"},
                                            {"en_it", "English to Italian"},
                                            {"en_de", "English to German"},
                                            {"en_fr", "English to French"}});
  addEntries(addMenu("scwizard", "Vendaro"), {{"stgen", "Store Generator"},
                                              {"orders", "Orders"},
                                              {"sales", "Sales Overview"},
                                              {"formgenerator", "Form Generator"},
                                              {"pppp", kSeparator},
                                              {"webeditor", "Web Editor"},
                                              {"aaa", kSeparator},
                                              {"pub_shng", "Publishing"}});
  addEntries(addMenu("submitt", "Submit"), {{"analise", "Analysis"}, {"submitting", "Submitting"}});
  addEntries(addMenu("help", "Help"), {{"get_start", "Getting Started"},
                                       {"hic", "How can I..?"},
                                       {"special", "Customization"},
                                       {"ppp", kSeparator},
                                       {"about", "About"}});
  // The pop-up menus of the channel and search lists; the entries their
  // lists fill in at run time belong to the main window's list menus.
  addMenu("pub_search", "", false);
  addMenu("pub_chann", "", false);
  addMenu("priv_search", "", false);
  addMenu("priv_cann", "", false);
}

MenuItem& MainMenu::addMenu(const std::string& name, const std::string& caption, bool visible) {
  menus_.push_back(std::make_unique<MenuItem>(name, caption));
  menus_.back()->setVisible(visible);
  return *menus_.back();
}

MenuItem* MainMenu::find(const std::string& name) {
  for (auto& menu : menus_) {
    if (MenuItem* found = findIn(*menu, name)) return found;
  }
  return nullptr;
}

void MainMenu::click(const std::string& name) {
  const MenuItem* item = find(name);
  if (item == nullptr || item->Caption() == kSeparator || !onClick) return;
  onClick(name);
}

}  // namespace vendaro
