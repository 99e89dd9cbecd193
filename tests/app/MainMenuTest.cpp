#include "app/MainMenu.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vendaro {
namespace {

// The menu's captions and order are checked once, on screen, by the main
// window test; here only what the table does with a click.
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
  EXPECT_EQ(menu.find("no_such_entry"), nullptr);
}

}  // namespace
}  // namespace vendaro
