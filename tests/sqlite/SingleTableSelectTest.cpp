#include "platform/sqlite/SingleTableSelect.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>

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
    std::string from = std::string(c.sql).substr(shape->fromOffset, 4);
    for (char& ch : from) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    EXPECT_EQ(from, "from") << c.sql;
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
