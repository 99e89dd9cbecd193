#include "platform/controls/ListControl.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace vendaro {
namespace {

TEST(ListControl, InsertAndRemoveKeepTheSelectionOnItsEntry) {
  ListControl list;
  list.AddItem("b");
  list.AddItem("a", 0);
  list.AddItem("c");
  list.setListIndex(1);  // "b"
  EXPECT_EQ(list.Text(), "b");
  list.AddItem("first", 0);
  EXPECT_EQ(list.ListIndex(), 2);
  list.RemoveItem(0);
  EXPECT_EQ(list.ListIndex(), 1);
  list.RemoveItem(1);
  EXPECT_EQ(list.ListIndex(), -1);
  EXPECT_EQ(list.items(), (std::vector<std::string>{"a", "c"}));
  EXPECT_EQ(list.List(7), "");
}

TEST(ListControl, BadIndexesThrowLikeTheControl) {
  ListControl list;
  list.AddItem("only");
  EXPECT_THROW(list.RemoveItem(1), std::out_of_range);
  EXPECT_THROW(list.AddItem("x", 3), std::out_of_range);
  EXPECT_THROW(list.setListIndex(1), std::out_of_range);
  EXPECT_NO_THROW(list.setListIndex(-1));
}

TEST(ListControl, TellsListenersAboutChanges) {
  ListControl list;
  int changes = 0;
  auto id = list.addListener([&] { ++changes; });
  list.AddItem("x");
  list.setText("typed");
  list.setText("typed");  // no change, no notice
  list.Clear();
  EXPECT_EQ(changes, 3);
  list.removeListener(id);
  list.AddItem("y");
  EXPECT_EQ(changes, 3);
}

}  // namespace
}  // namespace vendaro
