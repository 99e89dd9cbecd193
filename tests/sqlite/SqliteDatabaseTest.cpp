#include "platform/sqlite/SqliteDatabase.h"

#include <gtest/gtest.h>
#include <strings.h>

#include <string>
#include <vector>

#include "platform/DbValue.h"
#include "platform/SqlText.h"
#include "platform/sqlite/SingleTableSelect.h"
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

TEST(SingleTableSelect, FindsTheTableOfPlainQueries) {
  struct Case {
    const char* sql;
    const char* table;
    const char* qualifier;
  };
  const Case cases[] = {
      {"select * from [Orders] Order by [CustomerID]", "Orders", "Orders"},
      {"select [OrderID],[Price] from [Order Details] where [OrderID]=5", "Order Details",
       "Order Details"},
      {"Select * From Fields Where(Fields.formID=3)", "Fields", "Fields"},
      {"SELECT f.fieldName FROM Fields AS f WHERE f.formID IN (SELECT formID FROM Forms)", "Fields",
       "f"},
      {"select * from Respond r limit 5, 10;", "Respond", "r"},
  };
  for (const Case& c : cases) {
    const auto shape = SingleTableSelect::analyse(c.sql);
    ASSERT_TRUE(shape) << c.sql;
    EXPECT_EQ(shape->table, c.table) << c.sql;
    EXPECT_EQ(shape->qualifier, c.qualifier) << c.sql;
    EXPECT_EQ(strncasecmp(c.sql + shape->fromOffset, "from", 4), 0) << c.sql;
  }
}

TEST(SingleTableSelect, RefusesQueriesWhoseRowsAreNotTableRows) {
  const char* refused[] = {
      "select * from Orders, [Order Details]",
      "select * from Orders o join [Order Details] d on o.OrderID = d.OrderID",
      "select distinct CustomerID from Orders",
      "select count(*) from Orders",
      "select CustomerID, sum(Total) from Orders group by CustomerID",
      "select * from Orders union select * from Orders",
      "select * from (select * from Orders)",
      "select 1",
      "delete from Orders",
      "select * from [Orders",
  };
  for (const char* sql : refused) EXPECT_FALSE(SingleTableSelect::analyse(sql)) << sql;
}

TEST(DbValueText, ShowsValuesAsABoundBoxDoes) {
  EXPECT_EQ(DbValue().toText(), "");
  EXPECT_EQ(DbValue(42).toText(), "42");
  EXPECT_EQ(DbValue(-7).toText(), "-7");
  EXPECT_EQ(DbValue(50.0).toText(), "50");
  EXPECT_EQ(DbValue(54.12).toText(), "54.12");
  EXPECT_EQ(DbValue(0.5).toText(), "0.5");
  EXPECT_EQ(DbValue(0.1 + 0.2).toText(), "0.3");
  EXPECT_EQ(DbValue(-0.0).toText(), "0");
  EXPECT_EQ(DbValue(" A100 ").toText(), " A100 ");
}

TEST(SqlWholeNumber, AcceptsOnlyWholeNumbers) {
  EXPECT_EQ(sqlWholeNumber("12"), "12");
  EXPECT_EQ(sqlWholeNumber(" 7 "), "7");
  EXPECT_EQ(sqlWholeNumber("-3"), "-3");
  for (const char* refused : {"1 or 1=1", "", "   ", "1.5", "-", "3)"}) {
    EXPECT_EQ(sqlWholeNumber(refused), std::nullopt) << refused;
  }
}

TEST(SqlStringLiteral, DoublesQuotesSoNoTextLeavesTheLiteral) {
  EXPECT_EQ(sqlStringLiteral("2026-12-01"), "'2026-12-01'");
  EXPECT_EQ(sqlStringLiteral("x' OR '1'='1"), "'x'' OR ''1''=''1'");
}

}  // namespace
}  // namespace vendaro
