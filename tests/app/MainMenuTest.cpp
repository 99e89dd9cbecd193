#include "app/MainMenu.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace vendaro {
namespace {

// The menu's captions and order are checked once, on screen, by the main
// window test, and that its entries reach their commands by the start-up test.
TEST(MainMenuTest, DeclaredEntriesTakeTheirPlacesAndAWiringFaultStopsTheStart) {
  MainMenu menu;
  menu.placeEntry("orders", {"scwizard", 20, "Orders"});
  menu.placeEntry("stgen", {"scwizard", 10, "Store Generator"});
  menu.placeEntry("last", {"scwizard", 90, "Last"});
  const MenuItem& vendaro = *menu.find("scwizard");
  std::vector<std::string> names;
  for (int i = 0; i < vendaro.childCount(); ++i) names.push_back(vendaro.child(i).name());
  EXPECT_EQ(names,
            (std::vector<std::string>{"stgen", "orders", "pppp", "aaa", "pub_shng", "last"}));
  EXPECT_THROW(menu.placeEntry("twice", {"scwizard", 20, "Twice"}), std::logic_error);
  EXPECT_THROW(menu.placeEntry("lost", {"no_such_menu", 10, "Lost"}), std::logic_error);
}

}  // namespace
}  // namespace vendaro
