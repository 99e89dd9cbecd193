#include "platform/sqlite/SqliteDatabase.h"

#include <gtest/gtest.h>
#include <strings.h>

#include <string>
#include <vector>

#include "platform/DbValue.h"
#include "platform/SqlText.h"
#include "platform/controls/DataControl.h"
#include "platform/controls/TextBox.h"
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

template <typename Action>
int errorNumber(Action action) {
  try {
    action();
  } catch (const DataError& error) {
    return error.number();
  }
  return 0;
}

class DataControlTest : public ::testing::Test {
 protected:
  std::int64_t addOrder(const std::string& customer, const std::string& shipName = {}) {
    return db.insertRow("Orders", {{"CustomerID", customer}, {"ShipName", shipName}});
  }
  std::string customerAt(Recordset& records) {
    return records.Fields("CustomerID").Value().toText();
  }
  // Customers in stored order, read through a fresh record source.
  std::vector<std::string> storedCustomers() {
    DataControl reader(db, "select * from Orders order by OrderID");
    reader.Refresh();
    std::vector<std::string> customers;
    for (auto& rs = reader.recordset(); !rs.Eof(); rs.MoveNext()) {
      customers.push_back(customerAt(rs));
    }
    return customers;
  }

  TempFolder folder;
  testing::TestDatabase db{folder.file("Vendaro2.db")};
};

TEST_F(DataControlTest, AddNewStoresTheRecordAndReadsBackItsKey) {
  DataControl orders(db, "Orders");
  orders.Refresh();
  Recordset& rs = orders.recordset();
  for (const char* customer : {"a@x.com", "b@x.com"}) {
    rs.AddNew();
    rs.Fields("CustomerID").setValue(customer);
    rs.Fields("Total").setValue("54.12");
    rs.Update();
  }
  EXPECT_EQ(rs.RecordCount(), 2);
  EXPECT_TRUE(rs.Eof());  // the empty set's position does not move onto new rows

  rs.setBookmark(rs.LastModified());
  EXPECT_EQ(errorNumber([&] { rs.setBookmark(rs.Bookmark() + 10); }),
            data_errors::kInvalidBookmark);
  EXPECT_EQ(rs.Fields("OrderID").Value(), DbValue(2));
  EXPECT_EQ(rs.Fields("Total").Value(), DbValue(54.12));
  EXPECT_EQ(rs.Fields("email1").Name(), "EMail1");
  EXPECT_EQ(errorNumber([&] { rs.Fields("Email3"); }), data_errors::kItemNotFound);
  EXPECT_EQ(storedCustomers(), (std::vector<std::string>{"a@x.com", "b@x.com"}));
}

TEST_F(DataControlTest, MovesThroughTheRecordsInQueryOrder) {
  addOrder("c");
  addOrder("a");
  addOrder("b");
  DataControl orders(db, "select * from [Orders] Order by [CustomerID]");
  int repositions = 0;
  orders.onReposition = [&] { ++repositions; };
  orders.Refresh();
  Recordset& rs = orders.recordset();
  EXPECT_EQ(repositions, 1);
  EXPECT_FALSE(rs.Bof());
  EXPECT_EQ(rs.AbsolutePosition(), 0);

  std::vector<std::string> seen;
  for (; !rs.Eof(); rs.MoveNext()) seen.push_back(customerAt(rs));
  EXPECT_EQ(seen, (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_EQ(rs.AbsolutePosition(), -1);
  EXPECT_EQ(errorNumber([&] { rs.MoveNext(); }), data_errors::kNoCurrentRecord);
  EXPECT_EQ(errorNumber([&] { rs.Fields("CustomerID").Value(); }), data_errors::kNoCurrentRecord);

  rs.MoveLast();
  EXPECT_EQ(rs.AbsolutePosition(), 2);
  rs.MovePrevious();
  EXPECT_EQ(customerAt(rs), "b");
  rs.setAbsolutePosition(0);
  rs.MovePrevious();
  EXPECT_TRUE(rs.Bof());
  EXPECT_EQ(errorNumber([&] { rs.MovePrevious(); }), data_errors::kNoCurrentRecord);
  rs.MoveFirst();
  EXPECT_EQ(customerAt(rs), "a");
  EXPECT_EQ(repositions, 9);
}

TEST_F(DataControlTest, EditChangesTheCurrentRow) {
  addOrder("a");
  addOrder("b");
  DataControl orders(db, "Orders");
  orders.Refresh();
  Recordset& rs = orders.recordset();
  rs.Edit();
  rs.Fields("CustomerID").setValue("a2");
  EXPECT_EQ(customerAt(rs), "a2");  // the edit buffer while editing
  rs.Update();
  rs.MoveNext();
  rs.Fields("CustomerID").setValue("b2");  // an implicit Edit
  rs.Update();
  EXPECT_EQ(customerAt(rs), "b2");
  EXPECT_EQ(errorNumber([&] { rs.Update(); }), data_errors::kNoEditInProgress);
  EXPECT_EQ(storedCustomers(), (std::vector<std::string>{"a2", "b2"}));
}

TEST_F(DataControlTest, BoundBoxesShowTheRecordAndAreSavedBeforeMoves) {
  addOrder("a", "Ann");
  addOrder("b", "Bob");
  DataControl orders(db, "Orders");
  TextBox customer;
  TextBox name;
  TextBox email;
  orders.bind(customer, "CustomerID");
  orders.bind(name, "ShipName");
  orders.bind(email, "Email1");  // stored as EMail1
  std::vector<std::string> events;
  orders.onValidate = [&] { events.push_back("validate " + customer.Text()); };
  orders.onReposition = [&] { events.push_back("reposition " + customer.Text()); };
  orders.Refresh();
  EXPECT_EQ(name.Text(), "Ann");
  EXPECT_FALSE(name.DataChanged());

  name.setText("Anne");
  email.setText("ann@x.com");
  orders.recordset().MoveNext();
  EXPECT_EQ(name.Text(), "Bob");
  EXPECT_FALSE(name.DataChanged());
  EXPECT_EQ(events,
            (std::vector<std::string>{"validate ", "reposition a", "validate a", "reposition b"}));

  name.setText("dropped");
  orders.UpdateControls();
  EXPECT_EQ(name.Text(), "Bob");
  customer.setText("");  // an emptied box stores Null
  orders.UpdateRecord();

  DataControl check(db, "select * from Orders order by OrderID");
  check.Refresh();
  Recordset& rs = check.recordset();
  EXPECT_EQ(rs.Fields("ShipName").Value(), DbValue("Anne"));
  EXPECT_EQ(rs.Fields("EMail1").Value(), DbValue("ann@x.com"));
  rs.MoveNext();
  EXPECT_EQ(rs.Fields("ShipName").Value(), DbValue("Bob"));
  EXPECT_TRUE(rs.Fields("CustomerID").Value().isNull());
}

TEST_F(DataControlTest, DeletedRecordsAreSkipped) {
  for (const char* c : {"a", "b", "c"}) addOrder(c);
  DataControl orders(db, "Orders");
  TextBox customer;
  orders.bind(customer, "CustomerID");
  orders.Refresh();
  Recordset& rs = orders.recordset();
  rs.MoveNext();
  rs.Delete();
  EXPECT_EQ(errorNumber([&] { rs.Fields("CustomerID").Value(); }), data_errors::kRecordDeleted);
  customer.setText("typed into a deleted record");
  rs.MoveNext();  // the edit of the deleted record is not written anywhere
  EXPECT_EQ(customerAt(rs), "c");
  rs.MovePrevious();
  EXPECT_EQ(customerAt(rs), "a");
  EXPECT_EQ(rs.RecordCount(), 2);
  EXPECT_EQ(storedCustomers(), (std::vector<std::string>{"a", "c"}));
  // Deleting down to no record, and keeping an edited record in reach when
  // its sort key changes, are the order viewer's tests.
}

TEST_F(DataControlTest, ANewRecordTypedIntoBoundBoxesIsStoredAtUpdateRecord) {
  DataControl forms(db, "select * from [Forms]");
  TextBox formName("designer text");
  forms.bind(formName, "formName");
  forms.Refresh();
  forms.recordset().AddNew();
  EXPECT_EQ(formName.Text(), "");
  forms.Refresh();  // an untouched new record is dropped
  EXPECT_EQ(forms.recordset().RecordCount(), 0);

  forms.recordset().AddNew();
  formName.setText("Survey");
  forms.UpdateRecord();
  forms.Refresh();
  ASSERT_EQ(forms.recordset().RecordCount(), 1);
  EXPECT_EQ(formName.Text(), "Survey");
  EXPECT_EQ(forms.recordset().Fields("formID").Value(), DbValue(1));
}

TEST_F(DataControlTest, FailuresAreReportedAndKeepThePreviousRows) {
  addOrder("a");
  DataControl orders(db, "Orders");
  std::vector<int> reported;
  orders.onError = [&](int number, const std::string& text) {
    reported.push_back(number);
    EXPECT_NE(text.find("Ordrs"), std::string::npos) << text;
  };
  orders.Refresh();
  orders.setRecordSource("select * from [Ordrs] where [OrderID]=");
  EXPECT_THROW(orders.Refresh(), DataError);
  EXPECT_EQ(reported.size(), 1u);
  EXPECT_EQ(customerAt(orders.recordset()), "a");

  DataControl joined(db, "select o.CustomerID from Orders o, [Order Details] d");
  db.insertRow("Order Details", {{"OrderID", 1}});
  joined.Refresh();
  Recordset& rs = joined.recordset();
  EXPECT_EQ(errorNumber([&] { rs.AddNew(); }), data_errors::kReadOnly);
  EXPECT_EQ(errorNumber([&] { rs.Fields("CustomerID").setValue("x"); }), data_errors::kReadOnly);
  EXPECT_EQ(errorNumber([&] { rs.Delete(); }), data_errors::kReadOnly);

  SqliteDatabase broken(folder.path() / "no" / "such" / "folder" / "db");
  DataControl viewer(broken, "Orders");
  viewer.onError = [&](int number, const std::string&) { reported.push_back(number); };
  EXPECT_THROW(viewer.Refresh(), DataError);
  EXPECT_EQ(reported.back(), data_errors::kCannotOpen);
  EXPECT_TRUE(viewer.recordset().Eof());
}

}  // namespace
}  // namespace vendaro
