#include "app/MainMenu.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vendaro {
namespace {

std::vector<std::string> names(const MenuItem& menu) {
  std::vector<std::string> result;
  for (int i = 0; i < menu.childCount(); ++i) result.push_back(menu.child(i).name());
  return result;
}

TEST(MainMenuTest, TopLevelMenusInOrderWithTheirCaptionsAndVisibility) {
  MainMenu menu;
  const std::vector<std::tuple<std::string, std::string, bool>> expected{
      {"file", "File", true},      {"edit", "Edit", true},        {"finder", "Finder", true},
      {"view", "View", true},      {"nav", "Go", true},           {"chann2", "Channels", false},
      {"tr", "Translation", true}, {"scwizard", "Vendaro", true}, {"submitt", "Submit", true},
      {"help", "Help", true},      {"pub_search", "", false},     {"pub_chann", "", false},
      {"priv_search", "", false},  {"priv_cann", "", false}};
  ASSERT_EQ(menu.menuCount(), static_cast<int>(expected.size()));
  for (int i = 0; i < menu.menuCount(); ++i) {
    const auto& [name, caption, visible] = expected[static_cast<std::size_t>(i)];
    EXPECT_EQ(menu.menu(i).name(), name);
    EXPECT_EQ(menu.menu(i).Caption(), caption);
    EXPECT_EQ(menu.menu(i).Visible(), visible) << name;
  }
}

TEST(MainMenuTest, EntriesKeepDesignerNamesSeparatorsAndHiddenSearch) {
  MainMenu menu;
  EXPECT_EQ(names(*menu.find("file")),
            (std::vector<std::string>{"open_file", "opcollect", "save_file", "www", "pagesetup",
                                      "print", "rrr", "exit"}));
  EXPECT_EQ(names(*menu.find("nav")),
            (std::vector<std::string>{"back", "forward", "home", "sear", "yyy", "refresh", "uuu",
                                      "search", "history", "chann", "privatte", "add"}));
  EXPECT_EQ(names(*menu.find("tr")),
            (std::vector<std::string>{"pt_en", "es_en", "it_en", "de_en", "fr_en", "en_es", "en_pt",
                                      "en_it", "en_de", "en_fr"}));
  EXPECT_EQ(menu.find("www")->Caption(), "-");
  EXPECT_EQ(menu.find("aaa")->Caption(), "-");
  EXPECT_EQ(menu.find("listlisting")->Caption(), "Veiw report listing");
  EXPECT_EQ(menu.find("hic")->Caption(), "How can I..?");
  EXPECT_EQ(menu.find("getlinks")->Caption(), "Get/Add all Links");
  EXPECT_FALSE(menu.find("search")->Visible());
  EXPECT_TRUE(menu.find("sear")->Visible());
  EXPECT_EQ(menu.find("nothing"), nullptr);
}

TEST(MainMenuTest, ClickDispatchesEntryNamesButNotSeparatorsOrUnknownNames) {
  MainMenu menu;
  std::vector<std::string> clicked;
  menu.click("exit");  // no handler yet: nothing happens
  menu.onClick = [&](const std::string& name) { clicked.push_back(name); };
  menu.click("back");
  menu.click("rrr");
  menu.click("no_such_entry");
  menu.click("en_de");
  EXPECT_EQ(clicked, (std::vector<std::string>{"back", "en_de"}));
}

}  // namespace
}  // namespace vendaro
