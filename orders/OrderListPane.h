#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "orders/OrderList.h"
#include "platform/Database.h"
#include "platform/Dialogs.h"
#include "platform/controls/CheckBox.h"
#include "platform/controls/Label.h"
#include "platform/controls/ListControl.h"
#include "platform/controls/TextBox.h"

namespace vendaro {

// The list of orders beside the order record: number, date, customer,
// total, status and check verdict, newest first, searched by name or e-mail
// and filtered by status, flagged verdicts and a range of days. Choosing a
// row tells the window which order to show.
class OrderListPane {
 public:
  static constexpr const char* kAllStatuses = "All statuses";
  static constexpr const char* kBadDate = "Dates are written YYYY-MM-DD, for example 2026-12-07.";
  // The column headings of the list.
  static const std::vector<std::string> kColumns;

  OrderListPane(Database& database, Dialogs& dialogs);
  OrderListPane(const OrderListPane&) = delete;
  OrderListPane& operator=(const OrderListPane&) = delete;

  // Reads the orders that pass the filter boxes; a date that is not a day
  // is named in a message and the list stays as it is.
  void cmdFind_Click();
  // The merchant chose row `row` (0-based; -1: none).
  void lstOrders_Click(int row);
  // Marks the row of `orderId` as the chosen one (the record moved there);
  // -1 when the list does not show it.
  void selectOrder(std::int64_t orderId);
  // A listed order was deleted: its row goes.
  void orderDeleted(std::int64_t orderId);
  // The status of a listed order changed.
  void statusChanged(std::int64_t orderId, OrderStatus status);

  // The texts of row `row`, one per column.
  std::vector<std::string> cells(std::size_t row) const;
  const std::vector<OrderListRow>& rows() const { return rows_; }
  int selectedRow() const { return selectedRow_; }

  TextBox txtSearch;
  ListControl cboStatus;
  CheckBox chkFlagged{"Flagged only"};
  TextBox txtFromDate;
  TextBox txtToDate;
  Label lblSearch{"Search name or e-mail:"};
  Label lblFromDate{"From:"};
  Label lblToDate{"To:"};
  Label cmdFind{"&Find"};
  Label lblCount;

  // Raised after the rows were read again, and after one row changed.
  std::function<void()> onRowsChanged;
  // Raised after the chosen row changed (selectedRow()).
  std::function<void()> onSelectionChanged;
  // Raised when the merchant chose a row: the window shows that order.
  std::function<void(std::int64_t orderId)> onOrderChosen;

 private:
  bool readFilter(OrderListFilter& filter);
  int rowOf(std::int64_t orderId) const;

  Database& database_;
  Dialogs& dialogs_;
  std::vector<OrderListRow> rows_;
  int selectedRow_ = -1;
  std::int64_t shownOrder_ = 0;  // the order the record shows, listed or not
};

}  // namespace vendaro
