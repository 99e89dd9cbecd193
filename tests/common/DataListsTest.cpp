#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "common/DataLists.h"
#include "platform/sqlite/SqliteDatabase.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestDatabase.h"

namespace vendaro {
namespace {

using Entries = std::vector<std::string>;

// The Forms table of a real database file, a data control over it and a box
// bound to its name field.
class DataListsTest : public ::testing::Test {
 protected:
  DataListsTest() : database_(folder_.file("Vendaro2.db")) { forms_.bind(nameBox_, "formName"); }

  void addForm(const DbValue& name) { database_.insertRow("Forms", {{"formName", name}}); }

  testing::TempFolder folder_;
  testing::TestDatabase database_;
  DataControl forms_{database_, "Forms"};
  TextBox nameBox_;
  ListControl list_;
};

TEST_F(DataListsTest, FillReplacesTheListWithEveryRecordInOrder) {
  list_.AddItem("stale");
  FillListFromData(list_, forms_, nameBox_);  // an empty table empties the list
  EXPECT_TRUE(list_.items().empty());
  EXPECT_NO_THROW(FindRecord(forms_, "formName", "Order"));

  addForm("Order");
  addForm("Contact");
  addForm("Survey");
  list_.AddItem("stale");
  FillListFromData(list_, forms_, nameBox_);
  EXPECT_EQ(list_.items(), (Entries{"Order", "Contact", "Survey"}));

  ListControl combo;
  FillComboFromData(combo, forms_, nameBox_);
  EXPECT_EQ(combo.items(), list_.items());
}

TEST_F(DataListsTest, FindLeavesTheMatchingRecordCurrentOrEndsPastTheLast) {
  addForm("Order");
  addForm("Contact");
  addForm("contact");
  addForm(DbValue{});
  forms_.Refresh();
  FindRecord(forms_, "formName", "contact");
  ASSERT_FALSE(forms_.recordset().Eof());
  EXPECT_EQ(nameBox_.Text(), "contact");
  EXPECT_EQ(forms_.recordset().Fields("formName").Value(), DbValue("contact"));

  // A number field matches the text it shows.
  FindRecord(forms_, "formID", "2");
  EXPECT_EQ(nameBox_.Text(), "Contact");

  FindRecord(forms_, "formName", "Survey");
  EXPECT_TRUE(forms_.recordset().Eof());
  // A null field matches no text, not even an empty one.
  FindRecord(forms_, "formName", "");
  EXPECT_TRUE(forms_.recordset().Eof());
  EXPECT_THROW(FindRecord(forms_, "NoSuchField", "x"), DataError);
}

}  // namespace
}  // namespace vendaro
