#include "orders/OrderListPane.h"

#include "common/Dates.h"

namespace vendaro {
namespace {

constexpr OrderStatus kStatuses[] = {OrderStatus::New,       OrderStatus::Confirmed,
                                     OrderStatus::Paid,      OrderStatus::Shipped,
                                     OrderStatus::Completed, OrderStatus::Cancelled};

}  // namespace

const std::vector<std::string> OrderListPane::kColumns = {"Order", "Date",   "Customer",
                                                          "Total", "Status", "Price check"};

OrderListPane::OrderListPane(Database& database, Dialogs& dialogs)
    : database_(database), dialogs_(dialogs) {
  cboStatus.AddItem(kAllStatuses);
  for (const OrderStatus status : kStatuses) cboStatus.AddItem(std::string(statusName(status)));
  cboStatus.setListIndex(0);
}

bool OrderListPane::readFilter(OrderListFilter& filter) {
  filter.search = txtSearch.Text();
  const int status = cboStatus.ListIndex();
  if (status > 0) filter.status = kStatuses[status - 1];
  filter.flaggedOnly = chkFlagged.checked();
  filter.fromDate = txtFromDate.Text();
  filter.toDate = txtToDate.Text();
  for (const std::string* day : {&filter.fromDate, &filter.toDate}) {
    if (!day->empty() && !isDayText(*day)) return false;
  }
  return true;
}

void OrderListPane::cmdFind_Click() {
  OrderListFilter filter;
  if (!readFilter(filter)) {
    dialogs_.MsgBox(kBadDate);
    return;
  }
  Outcome<std::vector<OrderListRow>> rows = listOrders(database_, filter);
  if (!rows) {
    dialogs_.MsgBox("The orders cannot be read: " + rows.error().message);
    return;
  }
  rows_ = std::move(*rows);
  lblCount.setCaption(std::to_string(rows_.size()) + (rows_.size() == 1 ? " order" : " orders"));
  selectedRow_ = rowOf(shownOrder_);
  if (onRowsChanged) onRowsChanged();
  if (onSelectionChanged) onSelectionChanged();
}

void OrderListPane::lstOrders_Click(int row) {
  if (row < 0 || row >= static_cast<int>(rows_.size())) return;
  selectedRow_ = row;
  shownOrder_ = rows_[row].orderId;
  if (onOrderChosen) onOrderChosen(shownOrder_);
}

void OrderListPane::selectOrder(std::int64_t orderId) {
  shownOrder_ = orderId;
  const int row = rowOf(orderId);
  if (row == selectedRow_) return;
  selectedRow_ = row;
  if (onSelectionChanged) onSelectionChanged();
}

void OrderListPane::orderDeleted(std::int64_t orderId) {
  const int row = rowOf(orderId);
  if (row < 0) return;
  rows_.erase(rows_.begin() + row);
  if (selectedRow_ == row) selectedRow_ = -1;
  if (selectedRow_ > row) --selectedRow_;
  lblCount.setCaption(std::to_string(rows_.size()) + (rows_.size() == 1 ? " order" : " orders"));
  if (onRowsChanged) onRowsChanged();
}

void OrderListPane::statusChanged(std::int64_t orderId, OrderStatus status) {
  const int row = rowOf(orderId);
  if (row < 0) return;
  rows_[row].status = status;
  if (onRowsChanged) onRowsChanged();
}

std::vector<std::string> OrderListPane::cells(std::size_t row) const {
  const OrderListRow& order = rows_.at(row);
  return {std::to_string(order.orderId),         order.date,   order.customer, order.total,
          std::string(statusName(order.status)), order.verdict};
}

int OrderListPane::rowOf(std::int64_t orderId) const {
  for (std::size_t row = 0; row < rows_.size(); ++row) {
    if (rows_[row].orderId == orderId) return static_cast<int>(row);
  }
  return -1;
}

}  // namespace vendaro
