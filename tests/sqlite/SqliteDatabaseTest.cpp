#include "platform/sqlite/SqliteDatabase.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/TempFolder.h"
#include "tests/support/TestDatabase.h"

namespace vendaro {
namespace {

using testing::TempFolder;

int dataErrorOf(SqliteDatabase& db, const std::string& source) {
  try {
    db.select(source);
  } catch (const DataError& error) {
    return error.number();
  }
  return 0;
}

class SqliteDatabaseTest : public ::testing::Test {
 protected:
  TempFolder folder;
  testing::TestDatabase db{folder.file("Vendaro2.db")};
};

TEST_F(SqliteDatabaseTest, RunsAccessStyleTextsAsWritten) {
  for (const char* name : {"Bob", "Al"}) {
    const auto id = db.insertRow("Orders", {{"CustomerID", name}});
    db.insertRow("Order Details", {{"OrderID", id}, {"ProductID", "A100 "}, {"Quantity", " 2 "}});
  }
  db.insertRow("Fields", {{"formID", "3"}, {"fieldName", "age"}});
  db.insertRow("Respond", {{"respondForm", "Survey"}});

  const QueryResult orders = db.select("select * from [Orders] Order by [CustomerID]");
  ASSERT_EQ(orders.rows.size(), 2u);
  EXPECT_EQ(orders.rows[0][1], DbValue("Al"));
  EXPECT_EQ(orders.baseTable, "Orders");
  EXPECT_EQ(orders.rowIds, (std::vector<std::int64_t>{2, 1}));
  EXPECT_EQ(orders.columns, orderColumns());  // the row key stays hidden

  const QueryResult lines = db.select(
      "select [OrderID],[ProductID],[Quantity],[Price],[LineTotal] from [Order Details] where "
      "[OrderID]=2");
  ASSERT_EQ(lines.rows.size(), 1u);
  EXPECT_EQ(lines.rows[0][1], DbValue("A100 "));  // text keeps its blanks
  EXPECT_EQ(lines.rows[0][2], DbValue(2));        // a number column converts " 2 "
  EXPECT_EQ(lines.baseTable, "Order Details");

  EXPECT_EQ(db.select("Select * From Fields Where (Fields.formID = 3)").rows.size(), 1u);
  EXPECT_EQ(db.select("Select * From Fields Where(Fields.formID=3)").rows.size(), 1u);
  EXPECT_EQ(db.select("select * from [Respond]").rows.size(), 1u);
  EXPECT_EQ(db.select("  Order Details ").rows.size(), 2u);
}

TEST_F(SqliteDatabaseTest, StoresValuesAsParametersAndConvertsNumbers) {
  const auto id = db.insertRow(
      "Orders",
      {{"ShipName", "O'Brien"}, {"Total", "54.12"}, {"ShippingCost", "50.00"}, {"CCExp", "12/29"}});
  db.updateRow("Orders", id, {{"BillName", "x'); DROP TABLE Orders; --"}});
  const FieldValues row = db.readRow("Orders", id);
  const auto value = [&](const std::string& name) {
    for (const auto& [column, v] : row)
      if (column == name) return v;
    return DbValue("missing");
  };
  EXPECT_EQ(value("ShipName"), DbValue("O'Brien"));
  EXPECT_EQ(value("BillName"), DbValue("x'); DROP TABLE Orders; --"));
  EXPECT_EQ(value("Total"), DbValue(54.12));
  EXPECT_EQ(value("ShippingCost"), DbValue(50));
  EXPECT_EQ(value("CCExp"), DbValue("12/29"));
  EXPECT_TRUE(value("EMail1").isNull());

  db.deleteRow("Orders", id);
  EXPECT_TRUE(db.readRow("Orders", id).empty());
  EXPECT_NO_THROW(db.deleteRow("Orders", id));
  try {
    db.updateRow("Orders", id, {{"BillName", "lost"}});
    ADD_FAILURE() << "an update of a deleted row must not report success";
  } catch (const DataError& error) {
    EXPECT_EQ(error.number(), data_errors::kRecordDeleted);
  }
  EXPECT_THROW(db.insertRow("Orders", {{"Bad]Name", "x"}}), DataError);
  EXPECT_GT(db.insertRow("Orders", {}), id);  // keys are never reused
}

TEST_F(SqliteDatabaseTest, BadTextsGiveDataErrors) {
  EXPECT_EQ(dataErrorOf(db, "select * frm Orders"), data_errors::kSyntaxError);
  EXPECT_EQ(dataErrorOf(db, "NoSuchTable"), data_errors::kTableNotFound);
  EXPECT_EQ(dataErrorOf(db, "select * from NoSuchTable"), data_errors::kTableNotFound);
  EXPECT_EQ(dataErrorOf(db, "select * from Orders; delete from Orders"), data_errors::kSyntaxError);
  EXPECT_NE(dataErrorOf(db, ""), 0);
}

TEST(SqliteDatabaseFile, UnusableFilesGiveError3044NamingTheFile) {
  TempFolder folder;
  folder.write("notes.txt", std::string(2000, 'x'));
  for (const auto& path : {folder.file("missing/sub/Vendaro2.db"), folder.file("notes.txt")}) {
    SqliteDatabase db(path);
    try {
      db.select("Orders");
      ADD_FAILURE() << path;
    } catch (const DataError& error) {
      EXPECT_EQ(error.number(), data_errors::kCannotOpen);
      EXPECT_NE(std::string(error.what()).find(path.string()), std::string::npos) << error.what();
    }
  }
  EXPECT_EQ(folder.read("notes.txt"), std::string(2000, 'x'));
}

}  // namespace
}  // namespace vendaro
