#include "platform/sqlite/SingleTableSelect.h"

#include <gtest/gtest.h>

#include <strings.h>

namespace vendaro {
namespace {

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

}  // namespace
}  // namespace vendaro
